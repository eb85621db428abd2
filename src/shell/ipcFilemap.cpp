#include "shell/ipcFilemap.h"

#include <algorithm>
#include <cstring>

#include "common/Exception.h"
#include "common/Utf8.h"
#include "platform/KernelObjects.h"
#include "platform/Platform.h"

TFileMapping::TFileMapping(const std::string& name, std::size_t size) : Size(size)
{
    if (size == 0)
        throw Exception("Unable to create file mapping.");
    auto block = platform::KernelObjects().NewSharedMemory(name, size);
    MappingHandle = std::move(block.Block);
    if (block.Failure == platform::SharedMemoryFailure::Create)
        throw Exception("Unable to create file mapping.");
    if (block.Failure == platform::SharedMemoryFailure::Foreign)
        throw platform::EForeignObject("Unable to open file mapping.");
    // A block that exists but cannot be opened or mapped, one another user made (who
    // could read or forge the texts), or one another program made smaller than ours
    // (which cannot be used without writing past its end).
    if (!MappingHandle || MappingHandle->Size() < size)
        throw Exception("Unable to open file mapping.");
    View = MappingHandle->View();
    auto lock = platform::KernelObjects().NewMutex(name + "-Mutex", false);
    if (!lock.Mutex)
        throw Exception(lock.Error);
    MutexHandle = std::move(lock.Mutex);
}

TFileMapping::~TFileMapping() = default;

void TFileMapping::Lock()
{
    switch (MutexHandle->Wait(LockTimeout)) {
    case platform::WaitResult::Obtained:
        return;
    case platform::WaitResult::Abandoned:
        // Its owner ended in the middle of a copy. The block still holds a text of at
        // most the block's size, which every reader handles, so carry on.
        return;
    case platform::WaitResult::TimedOut:
    case platform::WaitResult::Failed:
        // A failed wait is not the lock: touching the block without it could tear a text.
        break;
    }
    throw Exception("Unable to acquire lock!");
}

void TFileMapping::Unlock()
{
    MutexHandle->Release();
}

TStringFilemapping::TStringFilemapping(const std::string& name, std::size_t size)
    : TFileMapping(name, size), BufferSize(static_cast<std::int32_t>(size + 1)),
      Buffer(static_cast<std::size_t>(BufferSize), '\0')
{
}

std::string TStringFilemapping::ReadText()
{
    TFileMappingLock lock(*this);
    return CopyText();
}

void TStringFilemapping::WriteText(const std::string& text)
{
    TFileMappingLock lock(*this);
    Store(text);
}

std::string TStringFilemapping::TakeText()
{
    TFileMappingLock lock(*this);
    std::string text = CopyText();
    std::memset(View, 0, Size);
    return text;
}

bool TStringFilemapping::WriteTextIfFree(const std::string& text)
{
    TFileMappingLock lock(*this);
    if (View[0] != '\0')
        return false;
    Store(text);
    return true;
}

std::string TStringFilemapping::CopyText()
{
    // Another instance may have left the block without an ending zero: never read past it.
    std::fill(Buffer.begin(), Buffer.end(), '\0');
    const char* const begin = View;
    const char* const end = std::find(begin, begin + Size, '\0');
    std::copy(begin, end, Buffer.begin());
    std::size_t length = static_cast<std::size_t>(end - begin);
    // A block filled to its end was cut by its writer, perhaps inside a character.
    if (length == Size)
        length = Utf8CompleteLength(std::string_view(Buffer.data(), length));
    return std::string(Buffer.data(), length);
}

void TStringFilemapping::Store(const std::string& text)
{
    std::memset(View, 0, Size);
    // A long text is cut at a whole character: half of one would reach the receiver
    // as a garbled name.
    std::memcpy(View, text.data(), Utf8CutLength(text, Capacity()));
}
