#include <gtest/gtest.h>

#include "support/environment.h"
#include "support/temp_dir.h"

// No test may touch the user's own settings: both stores point into a scratch directory
// unless a test names its own files.
int main(int argc, char** argv)
{
    const pixmosa::test::TempDir scratch;
    pixmosa::test::setEnvironment("PIXMOSA_REGISTRY", scratch.path("registry.reg"));
    pixmosa::test::setEnvironment("PIXMOSA_TEXT_STORE", scratch.path("Pixmosa.dat"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
