#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

// Each test runs against the real Win32 platform with COM on its thread and a
// scratch folder of its own under %TEMP%.
// The real platform, with the error report recorded instead of shown in message boxes.
class RecordingPlatform : public platform::win32::Win32Platform {
public:
    class RecordingApplication : public platform::win32::Application {
    public:
        void ShowError(const std::string& text) override { Errors.push_back(text); }
        std::vector<std::string> Errors;
    };
    platform::IApplication& Application() override { return recording; }
    RecordingApplication recording;
};

// A real top-level window of this process, destroyed with the object.
class TestWindow {
public:
    TestWindow(const std::string& title, DWORD style);
    ~TestWindow() { Destroy(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    void Destroy();
    HWND Hwnd() const { return hwnd_; }
    platform::WindowHandle Handle() const { return reinterpret_cast<platform::WindowHandle>(hwnd_); }

private:
    HWND hwnd_ = nullptr;
};

// A drop of these names as the shell hands it to a window with WM_DROPFILES; the
// receiver releases it.
HGLOBAL MakeDrop(const std::vector<std::string>& names);

// The caption of a tab control's page.
std::string TabCaption(HWND tabs, int page);

class Win32Test : public ::testing::Test {
protected:
    Win32Test();
    ~Win32Test() override;

    std::string Scratch(const std::string& name) const { return scratch_ + "\\" + name; }
    const std::string& ScratchFolder() const { return scratch_; }
    static void WriteFile(const std::string& path, const std::string& contents);
    static std::string ReadFile(const std::string& path);
    // Polls until the file exists (a started program runs on its own) or the time runs out.
    static bool WaitForFile(const std::string& path, int milliseconds = 15000);
    // The folder the test program runs from, where the helper programs are built.
    static std::string ProgramFolder();
    // Installs a fresh platform of this kind in place of the plain Win32 one; the test
    // reaches it through what is returned, until the next install.
    template <class TestPlatform>
    static TestPlatform& InstallPlatform()
    {
        auto owned = std::make_unique<TestPlatform>();
        TestPlatform& installed = *owned;
        platform::Install(std::move(owned));
        return installed;
    }

private:
    platform::win32::ComApartment com_;
    std::string scratch_;
};
