#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_dir.h"

// No test may touch the user's own settings: both stores point into a scratch directory
// unless a test names its own files.
int main(int argc, char** argv)
{
    const pixmosa::test::TempDir scratch;
    ::setenv("PIXMOSA_REGISTRY", scratch.path("registry.reg").c_str(), 1);
    ::setenv("PIXMOSA_TEXT_STORE", scratch.path("Pixmosa.dat").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
