// The cut functions on any bytes and any limit: a cut never grows the text, keeps
// every byte it can up to the limit but the ones of one split character, and the
// completion of a text never drops more than one character's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/Utf8.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool IsContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

// Layout: two bytes of limit, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t limit = static_cast<std::size_t>(data[0]) | static_cast<std::size_t>(data[1]) << 8;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    const std::size_t cut = Utf8CutLength(text, limit);
    Check(cut <= text.size());
    if (text.size() <= limit) {
        Check(cut == text.size());
    } else {
        Check(cut <= limit && cut + 3 >= limit);
        // A cut short of the limit falls just before the lead byte of a split character.
        if (cut < limit)
            Check(!IsContinuation(text[cut]) && IsContinuation(text[limit]));
    }
    Check(CutUtf8(text, limit) == text.substr(0, cut));

    const std::size_t complete = Utf8CompleteLength(text);
    Check(complete <= text.size() && complete + 3 >= text.size());
    return 0;
}
