#pragma once
#include <string>

// Text helpers shared by the whole system. Case rules here are ASCII only:
// learned abbreviations and extensions must compare the same on every code page.

std::string AsciiUpperCase(std::string text);
std::string AsciiLowerCase(std::string text);

// Drops leading and trailing characters whose code is 32 or less.
std::string TrimControlAndBlank(const std::string& text);

// The text from the last "." after the last "\" or ":", dot included; empty when there is none.
std::string ExtractFileExt(const std::string& path);

// The part after the last "\" or ":"; the whole text when it holds neither.
std::string ExtractFileName(const std::string& path);

// Ordinal, case-sensitive comparison of bytes as unsigned values; a prefix is less.
int CompareOrdinal(const std::string& a, const std::string& b);
