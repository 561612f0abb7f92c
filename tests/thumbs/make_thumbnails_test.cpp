#include "thumbs/make_thumbnails.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "catalogue/image_scan.h"
#include "settings/thumb_folder.h"
#include "support/jpeg_fixtures.h"
#include "support/recording_observer.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::RecordingObserver;
using test::TempDir;
using Names = std::vector<std::string>;

class MakeThumbnailsTest : public ::testing::Test {
protected:
    MakeThumbnailsTest()
    {
        settings.ImageDir = dir.path("pics");
        settings.ThumbSize = 50;
        ::mkdir(settings.ImageDir.c_str(), 0777);
    }

    void addImage(const std::string& name, int width = 80, int height = 60)
    {
        dir.write("pics/" + name, test::encodeJpeg(test::patternImage(width, height)));
    }

    void setThumbsDir(const std::string& thumbsDir)
    {
        settings.ThumbsDir = thumbsDir;
        settings.ThumbFolder = deriveThumbFolder(thumbsDir);
    }

    Result<CommandEnd> run(const Names& images)
    {
        return MakeThumbnails(settings, images, observer);
    }

    TempDir dir;
    GallerySettings settings = GallerySettings::initial();
    RecordingObserver observer;
};

TEST_F(MakeThumbnailsTest, EveryImageGetsItsThumbnailWithProgressAndABeepAtTheEnd)
{
    addImage("a.jpg");
    addImage("B.JPG", 60, 80);

    const Result<CommandEnd> end = run({"a.jpg", "B.JPG"});

    ASSERT_TRUE(end.ok()) << end.message();
    EXPECT_EQ(*end, CommandEnd::Finished);
    EXPECT_EQ(observer.events, (Names{"Creating thumbnail 1 of 2", "Creating thumbnail 2 of 2",
                                      "Finished creating thumbnails", "beep"}));
    EXPECT_EQ(observer.breaths, 2);
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-a.jpg"));
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-B.JPG"));
}

TEST_F(MakeThumbnailsTest, EveryThumbnailIsRemadeEachTimeWithTheSameBytes)
{
    addImage("a.jpg");
    ASSERT_TRUE(run({"a.jpg"}).ok());
    const std::string first = dir.read("pics/Thumbs/Thumb-a.jpg");
    dir.write("pics/Thumbs/Thumb-a.jpg", "stale");

    ASSERT_TRUE(run({"a.jpg"}).ok());

    EXPECT_EQ(dir.read("pics/Thumbs/Thumb-a.jpg"), first);
}

TEST_F(MakeThumbnailsTest, MissingImageDirectoryDoesNothing)
{
    settings.ImageDir = dir.path("missing");

    EXPECT_EQ(*run({"a.jpg"}), CommandEnd::NoImageDirectory);
    EXPECT_TRUE(observer.events.empty());
    EXPECT_FALSE(dir.exists("missing"));
}

TEST_F(MakeThumbnailsTest, EmptyListCreatesTheThumbnailDirectoryThenTellsTheUser)
{
    setThumbsDir("small/thumbs");

    EXPECT_EQ(*run({}), CommandEnd::NoImages);

    EXPECT_EQ(observer.events,
              (Names{"beep", "message: There are no JPG files in the selected directory"}));
    EXPECT_TRUE(dir.exists("pics/small/thumbs"));
}

TEST_F(MakeThumbnailsTest, FailureStopsAtThatImageAndKeepsTheThumbnailsBefore)
{
    addImage("1.jpg");
    dir.write("pics/2.jpg", "not a jpeg");
    addImage("3.jpg");

    const Result<CommandEnd> end = run({"1.jpg", "2.jpg", "3.jpg"});

    ASSERT_FALSE(end.ok());
    EXPECT_EQ(end.message().rfind("JPEG error #", 0), 0u);
    EXPECT_EQ(observer.events, (Names{"Creating thumbnail 1 of 3", "Creating thumbnail 2 of 3"}));
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-1.jpg"));
    EXPECT_FALSE(dir.exists("pics/Thumbs/Thumb-2.jpg"));
    EXPECT_FALSE(dir.exists("pics/Thumbs/Thumb-3.jpg"));
}

TEST_F(MakeThumbnailsTest, DirectoryNamedLikeAnImageStopsTheCommand)
{
    addImage("a.jpg");
    ASSERT_EQ(::mkdir(dir.path("pics/old.jpg").c_str(), 0777), 0);

    const Names images = ScanImages(settings.ImageDir, true);
    const Result<CommandEnd> end = run(images);

    ASSERT_EQ(images, (Names{"a.jpg", "old.jpg"}));
    EXPECT_EQ(end.message(), "Cannot open file " + dir.path("pics/old.jpg"));
}

TEST_F(MakeThumbnailsTest, ThumbnailThatWouldReplaceItsImageStopsTheCommandBeforeAnything)
{
    addImage("a.jpg");
    const std::string original = dir.read("pics/a.jpg");
    settings.ThumbPrefix = "";

    for (const char* thumbsDir : {"", "\\", ".", "./", "Thumbs/.."}) {
        setThumbsDir(thumbsDir);
        const Result<CommandEnd> end = run({"a.jpg"});
        ASSERT_FALSE(end.ok()) << thumbsDir;
        EXPECT_EQ(end.message(),
                  "The thumbnails would replace the images: choose a thumbnail folder or a "
                  "thumbnail prefix");
    }
    EXPECT_TRUE(observer.events.empty());
    EXPECT_EQ(dir.read("pics/a.jpg"), original);
}

TEST_F(MakeThumbnailsTest, ThumbnailsBesideTheImagesAreListedByTheNextScan)
{
    addImage("a.jpg");
    setThumbsDir("\\");

    ASSERT_TRUE(run({"a.jpg"}).ok());

    EXPECT_EQ(ScanImages(settings.ImageDir, true), (Names{"a.jpg", "Thumb-a.jpg"}));
}

}  // namespace
}  // namespace pixmosa
