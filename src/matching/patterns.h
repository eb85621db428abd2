#pragma once
#include <string>

// Patterns built from what the user typed into the incremental search. Nothing
// is escaped on purpose: a typed character with a meaning in the pattern syntax
// keeps that meaning, so a user may type a regular expression.

// Texts that start with the typed text: "^" + typed + ".*".
std::string AnchoredPattern(const std::string& typed);

// Texts that contain the typed characters in order, with anything between them:
// ".*" followed by each typed byte and ".*" (".*a.*b.*" for "ab").
std::string SequencePattern(const std::string& typed);
