// The Win32 test programs' main. Its first act is to write the file named by
// ZX_STARTED_MARKER: by it the runner (zx_wine_test_program in scripts/wine-env.sh) knows
// that the program began to run, so that it starts again only a program Wine never started.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (const char* marker = std::getenv("ZX_STARTED_MARKER")) {
        if (std::FILE* file = std::fopen(marker, "w"))
            std::fclose(file);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
