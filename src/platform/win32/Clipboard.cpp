#include "platform/win32/Clipboard.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "common/Exception.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Application.h"

namespace platform::win32 {

namespace {

// The clipboard is open for the life of the object.
class OpenedClipboard {
public:
    OpenedClipboard()
    {
        if (!OpenClipboard(Application::OwnerWindow()))
            throw Exception("Cannot open clipboard");
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

// A locked global memory block, unlocked when the object goes.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedGlobal()
    {
        if (data_ != nullptr)
            GlobalUnlock(memory_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    const char* Text() const { return static_cast<const char*>(data_); }
    const wchar_t* WideText() const { return static_cast<const wchar_t*>(data_); }
    SIZE_T Size() const { return data_ != nullptr ? GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    void* data_;
};

} // namespace

std::string Clipboard::Text()
{
    OpenedClipboard opened;
    // The system makes CF_TEXT from another program's Unicode text with the clipboard
    // locale's code page, not ours: in the UTF-8 code page that would turn every
    // non-Western letter into "?". So the Unicode text is taken and converted here.
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        const LockedGlobal text(GetClipboardData(CF_UNICODETEXT));
        if (text.WideText() != nullptr) {
            const SIZE_T units = text.Size() / sizeof(wchar_t);
            SIZE_T length = 0;
            while (length < units && text.WideText()[length] != L'\0')
                ++length;
            return WideToAnsi(std::wstring_view(text.WideText(), length));
        }
    }
    if (!IsClipboardFormatAvailable(CF_TEXT))
        return {};
    const LockedGlobal text(GetClipboardData(CF_TEXT));
    if (text.Text() == nullptr)
        return {};
    // Another program's text need not be terminated within its block.
    const SIZE_T size = text.Size();
    SIZE_T length = 0;
    while (length < size && text.Text()[length] != '\0')
        ++length;
    return std::string(text.Text(), length);
}

std::optional<std::string> FileDialogs::OpenFile()
{
    // Room for any path the dialog can return; a name too long for the file
    // functions is then refused where it is used, with a message.
    std::vector<char> fileName(32768, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Application::OwnerWindow();
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = static_cast<DWORD>(fileName.size());
    // The process's current folder is left alone: the system resolves nothing against it.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog))
        return std::nullopt;
    return std::string(fileName.data());
}

} // namespace platform::win32
