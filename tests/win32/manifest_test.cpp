// What the program's manifest gives it; the test programs carry the same manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ZephyrixVersion.h"

namespace {

std::string ProgramManifest()
{
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    if (resource == nullptr)
        return {};
    return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
                       SizeofResource(nullptr, resource));
}

TEST(Manifest, CarriesTheBuildsVersionAndPerMonitorScalingWithItsFallBacks)
{
    const std::string manifest = ProgramManifest();
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("name=\"Morrowfield.Zephyrix\" version=\"" ZX_VERSION_TEXT ".0\""), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
}

} // namespace
