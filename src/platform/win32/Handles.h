#pragma once
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace platform::win32 {

// Owns one Win32 handle and closes it with the matching function.
template <class Handle, auto Close, auto Invalid = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.handle_, Invalid));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    Handle* Receive()
    {
        Reset();
        return &handle_;
    }
    explicit operator bool() const { return handle_ != Invalid; }
    void Reset(Handle handle = Invalid)
    {
        if (handle_ != Invalid)
            Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Invalid;
};

using UniqueHKey = UniqueHandle<HKEY, &RegCloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;
using UniqueModule = UniqueHandle<HMODULE, &FreeLibrary>;
using UniqueFont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;
inline void ReleaseScreenDC(HDC dc)
{
    ReleaseDC(nullptr, dc);
}
// A device context of the whole screen (GetDC(nullptr)).
using UniqueScreenDC = UniqueHandle<HDC, &ReleaseScreenDC>;

// Holds one COM interface pointer and releases it.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr()
    {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

// COM for the calling thread for as long as the object lives.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (initialised_)
            CoUninitialize();
    }

private:
    bool initialised_;
};

} // namespace platform::win32
