#include "common/CaseFolding.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

struct TFolding {
    char32_t From;
    char32_t To;
};

// Generated at build time from the Unicode data files, in code point order.
constexpr TFolding Foldings[] = {
#include "CaseFoldingTable.inc"
};

unsigned char Byte(std::string_view text, std::size_t at)
{
    return static_cast<unsigned char>(text[at]);
}

// The code point of the well-formed UTF-8 sequence at text[at] and its length; length 0
// when the bytes there are not one (a stray byte, a cut or overlong sequence, a surrogate).
char32_t DecodeWellFormed(std::string_view text, std::size_t at, std::size_t& length)
{
    length = 0;
    const unsigned char lead = Byte(text, at);
    std::size_t size = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (at + size > text.size())
        return 0;
    for (std::size_t i = 1; i < size; ++i) {
        if (!IsUtf8Continuation(text[at + i]))
            return 0;
        value = (value << 6) | (Byte(text, at + i) & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    length = size;
    return value;
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && IsUtf8Continuation(text[end]))
        ++end;
    return end - at;
}

bool IsWellFormedUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        if (Byte(text, at) < 0x80) {
            ++at;
            continue;
        }
        std::size_t length = 0;
        DecodeWellFormed(text, at, length);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

char32_t FoldCodePoint(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
    const auto found = std::lower_bound(std::begin(Foldings), std::end(Foldings), c,
                                        [](const TFolding& folding, char32_t value) { return folding.From < value; });
    return found != std::end(Foldings) && found->From == c ? found->To : c;
}

void AppendFoldedCase(std::string_view text, std::string& out)
{
    out.reserve(out.size() + text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const unsigned char byte = Byte(text, at);
        if (byte < 0x80) {
            out += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
            ++at;
            continue;
        }
        std::size_t length = 0;
        const char32_t c = DecodeWellFormed(text, at, length);
        if (length == 0) {
            out += text[at++];
            continue;
        }
        AppendUtf8(FoldCodePoint(c), out);
        at += length;
    }
}

std::string FoldCase(std::string_view text)
{
    std::string folded;
    AppendFoldedCase(text, folded);
    return folded;
}
