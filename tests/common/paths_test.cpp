#include "common/paths.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

TEST(PathsTest, TrailingSeparatorIsAddedOnlyWhereMissing)
{
    EXPECT_EQ(withTrailingSeparator(""), "");
    EXPECT_EQ(withTrailingSeparator("/home/pics"), "/home/pics/");
    EXPECT_EQ(withTrailingSeparator("/home/pics/"), "/home/pics/");
    EXPECT_EQ(withTrailingSeparator(" pics "), " pics /");
    EXPECT_EQ(withTrailingSeparator("/"), "/");
}

}  // namespace
}  // namespace pixmosa
