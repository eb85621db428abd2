// Any bytes another program may leave in the shared text block: reading and taking
// must give a text of at most the block's size that stops at the first zero, never
// read past the block, and leave the block empty after a take. Any text written must
// read back as its first whole characters up to the block's size.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/Utf8.h"
#include "platform/headless/Simulator.h"
#include "shell/ipcFilemap.h"

namespace {

constexpr std::size_t BlockSize = 2048;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static platform::headless::Simulator& sim = platform::headless::InstallSimulator();
    static TStringFilemapping block("fuzz-block", BlockSize);
    auto raw = sim.kernel.NewSharedMemory("fuzz-block", BlockSize).Block;
    Check(raw && raw->Size() >= BlockSize);

    // The bytes as another program left them, over the whole mapped page.
    std::memset(raw->View(), 0, raw->Size());
    std::memcpy(raw->View(), data, std::min(size, raw->Size()));
    const std::string bytes(raw->View(), BlockSize);
    const std::string upToZero = bytes.substr(0, bytes.find('\0'));

    const std::string read = block.ReadText();
    Check(read.size() <= BlockSize);
    Check(read.find('\0') == std::string::npos);
    Check(upToZero.compare(0, read.size(), read) == 0);
    // Only a cut character at the very end of a full block is left out.
    Check(read.size() == upToZero.size() || (upToZero.size() == BlockSize && read.size() + 3 >= BlockSize));
    Check(block.TakeText() == read);
    Check(std::string(raw->View(), BlockSize) == std::string(BlockSize, '\0'));

    const std::string text(reinterpret_cast<const char*>(data), size);
    block.WriteText(text);
    const std::string written = CutUtf8(text, BlockSize);
    const std::string expected = written.substr(0, written.find('\0'));
    const std::string back = block.ReadText();
    if (expected.size() < BlockSize)
        Check(back == expected);
    else // a full block ending in a stray lead byte loses that byte
        Check(expected.compare(0, back.size(), back) == 0 && back.size() + 3 >= BlockSize);
    return 0;
}
