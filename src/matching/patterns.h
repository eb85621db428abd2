#pragma once
#include <string>

class TRegExpr;

// Patterns built from what the user typed into the incremental search. Nothing
// is escaped on purpose: a typed character with a meaning in the pattern syntax
// keeps that meaning, so a user may type a regular expression.

// Texts that start with the typed text: "^" + typed + ".*".
std::string AnchoredPattern(const std::string& typed);

// Texts that contain the typed characters in order, with anything between them:
// ".*" followed by each typed character and ".*" (".*a.*b.*" for "ab"). A character
// is a whole UTF-8 sequence (common/CaseFolding.h), never a part of one.
std::string SequencePattern(const std::string& typed);

// The same two patterns for a typed text taken as plain text: every character
// stands for itself ("Tool (x86" gives "^Tool \(x86.*").
std::string AnchoredPlainTextPattern(const std::string& typed);
std::string SequencePlainTextPattern(const std::string& typed);

// Compiles the anchored and the sequence pattern of a typed text, ignoring case. Where
// they are not valid patterns (an unmatched bracket, a "+" with nothing before it), as
// in a name typed as it reads ("Tool (x86"), or hold what the syntax lacks (a back-reference,
// look-around), those of the text taken as plain text, which are always valid. Never throws.
void CompileTypedPatterns(const std::string& typed, TRegExpr& anchored, TRegExpr& sequence);
