#include "generator/generated_files.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace pixmosa {
namespace {

TEST(GeneratedFilesTest, BaseNameDropsTheLastFourCharactersWhateverTheirCase)
{
    EXPECT_EQ(imageBaseName("Tree.JPG"), "Tree");
    EXPECT_EQ(imageBaseName("my photo.jpg"), "my photo");
    EXPECT_EQ(imageBaseName(".jpg"), "");
    EXPECT_EQ(imageBaseName("ab"), "");
}

TEST(GeneratedFilesTest, PageNamesFollowTheSettings)
{
    GallerySettings settings = GallerySettings::initial();
    settings.ImageDir = test::nativeSeparators("/pics");
    settings.IndexFile = "index.html";

    EXPECT_EQ(galleryPageName(settings, 1), "Gallery1.html");
    EXPECT_EQ(galleryPagePath(settings, 12), test::nativeSeparators("/pics/Gallery12.html"));
    EXPECT_EQ(imagePageName(settings, "Tree.JPG"), "Tree.html");
    EXPECT_EQ(imagePagePath(settings, "Tree.jpg"), test::nativeSeparators("/pics/Tree.html"));
    EXPECT_EQ(indexPagePath(settings), test::nativeSeparators("/pics/index.html"));
}

}  // namespace
}  // namespace pixmosa
