#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Characters of the process's texts, and their form for case-insensitive matching.
//
// Texts are UTF-8 wherever Windows honours the program's manifest. A character starts at
// every byte that is not a UTF-8 continuation byte (0x80-0xBF) and takes the continuation
// bytes after it; continuation bytes at the very start of a text make one character. In
// well-formed UTF-8 that is exactly one code point, and any other bytes (a text of an older
// ANSI code page) still split into definite characters, so matching never fails on them.

inline bool IsUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the character that starts at text[at]: the byte and the continuation bytes after it.
std::size_t CharacterLength(std::string_view text, std::size_t at);

// Whether the text is well-formed UTF-8 throughout (no stray byte, cut or overlong sequence, surrogate).
bool IsWellFormedUtf8(std::string_view text);

// Simple Unicode case folding of one code point (Unicode's CaseFolding.txt, statuses C
// and S): Ü gives ü, Ω gives ω, the Kelvin sign gives k. Code points without one stay.
char32_t FoldCodePoint(char32_t c);

// The text with every well-formed UTF-8 sequence replaced by its simple case folding;
// bytes outside such a sequence stay as they are. The same on every platform.
std::string FoldCase(std::string_view text);
void AppendFoldedCase(std::string_view text, std::string& out);
