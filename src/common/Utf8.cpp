#include "common/Utf8.h"

namespace {

constexpr std::size_t LongestSequence = 4;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// How many bytes the sequence that starts with this byte announces; 0 for a byte
// that cannot start a longer sequence (ASCII, a continuation, 0xF8 and above).
std::size_t AnnouncedLength(unsigned char byte)
{
    if (byte >= 0xC0 && byte < 0xE0)
        return 2;
    if (byte >= 0xE0 && byte < 0xF0)
        return 3;
    if (byte >= 0xF0 && byte < 0xF8)
        return 4;
    return 0;
}

// Where the character that a boundary at end splits starts; end itself when the boundary
// splits nothing. Looks back over at most three continuation bytes, so it is bounded
// whatever the bytes are.
std::size_t StartOfSplitCharacter(std::string_view text, std::size_t end)
{
    std::size_t next = end;
    while (next > 0 && end - next < LongestSequence - 1 && IsContinuation(static_cast<unsigned char>(text[next - 1])))
        --next;
    if (next == 0)
        return end;
    const std::size_t lead = next - 1;
    const std::size_t announced = AnnouncedLength(static_cast<unsigned char>(text[lead]));
    return announced != 0 && lead + announced > end ? lead : end;
}

} // namespace

std::size_t Utf8CutLength(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    // Only a continuation byte right after the cut can mean a character is split;
    // anything else starts a character of its own (or is garbage that stays garbage).
    if (!IsContinuation(static_cast<unsigned char>(text[limit])))
        return limit;
    return StartOfSplitCharacter(text, limit);
}

std::string CutUtf8(std::string_view text, std::size_t limit)
{
    return std::string(text.substr(0, Utf8CutLength(text, limit)));
}

std::size_t Utf8CompleteLength(std::string_view text)
{
    return StartOfSplitCharacter(text, text.size());
}
