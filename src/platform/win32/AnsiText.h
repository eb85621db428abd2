#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

// The process's texts are in its ANSI code page, UTF-8 wherever Windows honours the
// manifest; the system keeps its own texts in UTF-16 and converts them for the "A" calls.

// One UTF-16 unit of the system becomes at most three bytes of UTF-8 (a surrogate pair,
// two units, becomes four). Buffers whose size the system gives in characters are made
// this much larger, so that the system never has to cut a text into them.
constexpr int MaxBytesPerSystemChar = 3;

// Room for any path the file functions accept (MAX_PATH - 1 UTF-16 units and a zero).
constexpr DWORD AnsiPathBufferSize = MAX_PATH * MaxBytesPerSystemChar;

// Conversions with the process's code page (CP_ACP); bytes that do not form a character
// there become U+FFFD rather than an error.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

} // namespace platform::win32
