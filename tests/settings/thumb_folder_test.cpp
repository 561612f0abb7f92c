#include "settings/thumb_folder.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

TEST(ThumbFolderTest, FolderEndsInOneSeparator)
{
    EXPECT_EQ(deriveThumbFolder("Thumbs"), "Thumbs/");
    EXPECT_EQ(deriveThumbFolder("Thumbs/"), "Thumbs/");
    EXPECT_EQ(deriveThumbFolder("  Thumbs \t"), "Thumbs/");
    EXPECT_EQ(deriveThumbFolder("small thumbs"), "small thumbs/");
}

TEST(ThumbFolderTest, EmptyOrALoneSeparatorMeansTheImageDirectoryItself)
{
    EXPECT_EQ(deriveThumbFolder(""), "");
    EXPECT_EQ(deriveThumbFolder("   "), "");
    EXPECT_EQ(deriveThumbFolder("\\"), "");
    EXPECT_EQ(deriveThumbFolder("/"), "");
    EXPECT_EQ(deriveThumbFolder(" \\ "), "");
}

TEST(ThumbFolderTest, BackslashesTypedTheWindowsWaySeparateFolders)
{
    EXPECT_EQ(deriveThumbFolder("Thumbs\\"), "Thumbs/");
    EXPECT_EQ(deriveThumbFolder("web\\thumbs"), "web/thumbs/");
}

}  // namespace
}  // namespace pixmosa
