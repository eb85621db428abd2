// What the program's manifest gives it; the test programs carry the same manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ZephyrixVersion.h"

namespace {

TEST(Manifest, DeclaresPerMonitorScalingAndTheBuildsVersion)
{
    // Per-monitor aware: the program scales itself, Windows does not stretch its bitmap.
    using ThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using AwarenessOf = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto threadContext = reinterpret_cast<ThreadContext>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto awarenessOf = reinterpret_cast<AwarenessOf>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_TRUE(threadContext != nullptr && awarenessOf != nullptr);
    EXPECT_EQ(awarenessOf(threadContext()), DPI_AWARENESS_PER_MONITOR_AWARE);

    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_NE(resource, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
                               SizeofResource(nullptr, resource));
    EXPECT_NE(manifest.find("name=\"Morrowfield.Zephyrix\" version=\"" ZX_VERSION_TEXT ".0\""), std::string::npos);
}

} // namespace
