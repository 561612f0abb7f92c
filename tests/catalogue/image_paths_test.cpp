#include "catalogue/image_paths.h"

#include <gtest/gtest.h>

#include "settings/thumb_folder.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

GallerySettings withFolders(std::string imageDir, std::string thumbsDir, std::string prefix)
{
    GallerySettings settings = GallerySettings::initial();
    settings.ImageDir = std::move(imageDir);
    settings.ThumbsDir = std::move(thumbsDir);
    settings.ThumbFolder = deriveThumbFolder(settings.ThumbsDir);
    settings.ThumbPrefix = std::move(prefix);
    return settings;
}

TEST(ImagePathsTest, ThumbnailKeepsTheImagesNameBehindThePrefix)
{
    const GallerySettings settings =
        withFolders(test::nativeSeparators("/pics"), "Thumbs", "Thumb-");

    EXPECT_EQ(imagePath(settings, "a.JPG"), test::nativeSeparators("/pics/a.JPG"));
    EXPECT_EQ(thumbnailDirectory(settings), test::nativeSeparators("/pics/Thumbs/"));
    EXPECT_EQ(thumbnailPath(settings, "a.JPG"), test::nativeSeparators("/pics/Thumbs/Thumb-a.JPG"));
}

TEST(ImagePathsTest, EmptyThumbnailFolderMeansTheImageDirectory)
{
    const GallerySettings settings = withFolders(test::nativeSeparators("/pics/"), "\\", " t ");

    EXPECT_EQ(thumbnailDirectory(settings), test::nativeSeparators("/pics/"));
    EXPECT_EQ(thumbnailPath(settings, "a.jpg"), test::nativeSeparators("/pics/ t a.jpg"));
}

}  // namespace
}  // namespace pixmosa
