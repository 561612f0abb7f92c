#include "settings/thumb_folder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace pixmosa {
namespace {

TEST(ThumbFolderTest, FolderEndsInOneSeparator)
{
    const std::string thumbs = test::nativeSeparators("Thumbs/");
    EXPECT_EQ(deriveThumbFolder("Thumbs"), thumbs);
    EXPECT_EQ(deriveThumbFolder("Thumbs/"), thumbs);
    EXPECT_EQ(deriveThumbFolder("  Thumbs \t"), thumbs);
    EXPECT_EQ(deriveThumbFolder("small thumbs"), test::nativeSeparators("small thumbs/"));
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
    EXPECT_EQ(deriveThumbFolder("Thumbs\\"), test::nativeSeparators("Thumbs/"));
    EXPECT_EQ(deriveThumbFolder("web\\thumbs"), test::nativeSeparators("web/thumbs/"));
}

}  // namespace
}  // namespace pixmosa
