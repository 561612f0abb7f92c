#include "common/paths.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

TEST(PathsTest, TrailingSeparatorIsAddedOnlyWhereMissing)
{
    EXPECT_EQ(withTrailingSeparator(""), "");
#ifdef _WIN32
    // Only the platform's own separator counts as the ending one.
    EXPECT_EQ(withTrailingSeparator("C:\\pics"), "C:\\pics\\");
    EXPECT_EQ(withTrailingSeparator("C:\\pics\\"), "C:\\pics\\");
    EXPECT_EQ(withTrailingSeparator("C:/pics/"), "C:/pics/\\");
    EXPECT_EQ(withTrailingSeparator(" pics "), " pics \\");
#else
    EXPECT_EQ(withTrailingSeparator("/home/pics"), "/home/pics/");
    EXPECT_EQ(withTrailingSeparator("/home/pics/"), "/home/pics/");
    EXPECT_EQ(withTrailingSeparator(" pics "), " pics /");
    EXPECT_EQ(withTrailingSeparator("/"), "/");
#endif
}

TEST(PathsTest, RootsAreNamedWithTheirSeparator)
{
    EXPECT_TRUE(isRootDirectory("/"));
    EXPECT_FALSE(isRootDirectory("/home"));
#ifdef _WIN32
    EXPECT_TRUE(isRootDirectory("C:\\"));
    EXPECT_FALSE(isRootDirectory("C:\\pics"));
#endif
}

}  // namespace
}  // namespace pixmosa
