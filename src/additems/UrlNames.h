#pragma once
#include <string>

// A text counts as a web address when it holds "://" anywhere or starts with
// "mailto:" (any letter case). "news:alt" and the like do not.
bool IsUrl(const std::string& text);

// The part of a URL that names its file: what follows "mailto:", else what follows
// the first "://". Any other text is returned unchanged.
std::string StripUrlScheme(const std::string& text);

// Replaces, byte for byte, everything but ASCII letters, digits and
// ! # $ % & ' ( ) - @ ^ _ ` { } ~ by "_". The length never changes.
std::string MakeSafeFileName(const std::string& text);
