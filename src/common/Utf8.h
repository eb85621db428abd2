#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Cutting texts of the process's code page, which is UTF-8 wherever Windows honours the
// program's manifest. A cut lands on a character boundary, so no half character ends a
// text; bytes that are not well-formed UTF-8 are left as they are and never looked past.

// The length of text cut to at most limit bytes: the limit itself, unless that falls
// inside a character, then the start of that character. A text that fits is not touched.
std::size_t Utf8CutLength(std::string_view text, std::size_t limit);

// text cut to at most limit bytes at a character boundary (see Utf8CutLength).
std::string CutUtf8(std::string_view text, std::size_t limit);

// The length of text without a last character that was cut short (a lead byte followed
// by fewer continuation bytes than it announces), for texts someone else has cut.
std::size_t Utf8CompleteLength(std::string_view text);
