#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/KernelObjects.h"

// A named block of shared memory with a named lock, shared by every instance on the desktop.
class TFileMapping {
public:
    // Creates the block (or opens the one another instance created) and its lock, named
    // name + "-Mutex". Throws "Unable to create file mapping." or "Unable to open file mapping.".
    TFileMapping(const std::string& name, std::size_t size);
    virtual ~TFileMapping();
    TFileMapping(const TFileMapping&) = delete;
    TFileMapping& operator=(const TFileMapping&) = delete;

    // Waits up to LockTimeout for the block's lock; throws "Unable to acquire lock!".
    void Lock();
    void Unlock();

protected:
    // Declared in this order so that the view goes first and the lock last.
    std::unique_ptr<platform::IKernelMutex> MutexHandle;
    std::unique_ptr<platform::ISharedMemory> MappingHandle;
    char* View = nullptr;
    std::size_t Size;

public:
    std::uint32_t LockTimeout = 10000;
};

// Holds the lock for as long as it lives.
class TFileMappingLock {
public:
    explicit TFileMappingLock(TFileMapping& mapping) : mapping_(mapping) { mapping_.Lock(); }
    ~TFileMappingLock() { mapping_.Unlock(); }
    TFileMappingLock(const TFileMappingLock&) = delete;
    TFileMappingLock& operator=(const TFileMappingLock&) = delete;

private:
    TFileMapping& mapping_;
};

// The block as the holder of one text: from byte 0, ended by a zero byte. Every operation
// runs under the lock.
class TStringFilemapping : public TFileMapping {
public:
    TStringFilemapping(const std::string& name, std::size_t size);

    // The text in the block, at most the block's size in bytes, without a character
    // that a writer cut in half.
    std::string ReadText();
    // Replaces the block's text. A text longer than the block is cut to at most its
    // size in bytes, at a character boundary; a text that fills the block has no
    // ending zero, and readers stop at the block's end.
    void WriteText(const std::string& text);
    // Reads the text and empties the block, in one go, so that each text is taken once.
    std::string TakeText();
    // Writes the text only when the block is empty (the previous text was taken).
    bool WriteTextIfFree(const std::string& text);
    // The longest text the block holds whole.
    std::size_t Capacity() const { return Size; }

private:
    std::string CopyText();
    void Store(const std::string& text);

    std::int32_t BufferSize;
    std::vector<char> Buffer;
};
