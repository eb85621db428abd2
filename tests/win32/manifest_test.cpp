// What the program's manifest gives it; the test programs carry the same manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ZephyrixVersion.h"

namespace {

TEST(Manifest, CarriesTheBuildsVersion)
{
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_NE(resource, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
                               SizeofResource(nullptr, resource));
    EXPECT_NE(manifest.find("name=\"Morrowfield.Zephyrix\" version=\"" ZX_VERSION_TEXT ".0\""), std::string::npos);
}

} // namespace
