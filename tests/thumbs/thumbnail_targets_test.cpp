#include "thumbs/thumbnail_targets.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/file_system.h"
#include "settings/thumb_folder.h"
#include "support/child_processes.h"
#include "support/file_setup.h"
#include "support/jpeg_fixtures.h"
#include "support/recording_observer.h"
#include "support/temp_dir.h"
#include "thumbs/make_thumbnails.h"

namespace pixmosa {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

// Make Thumbnails run from pics/web, beside a photo in pics that no setting may reach.
class ThumbnailTargetsTest : public ::testing::Test {
protected:
    ThumbnailTargetsTest()
    {
        test::makeDirectory(dir.path("pics"));
        test::makeDirectory(dir.path("pics/web"));
        dir.write("pics/h.jpg", "the photo outside");
        dir.write("pics/web/h.jpg", test::encodeJpeg(test::patternImage(40, 30)));
        settings.ImageDir = dir.path("pics/web");
        settings.ThumbSize = 10;
    }

    void setThumbsDir(const std::string& thumbsDir)
    {
        settings.ThumbsDir = thumbsDir;
        settings.ThumbFolder = deriveThumbFolder(thumbsDir);
    }

    Result<CommandEnd> run(const Names& images = {"h.jpg"})
    {
        return MakeThumbnails(test::lockedFolder(settings.ImageDir), settings, images, observer,
                              {1, 0});
    }

    TempDir dir;
    GallerySettings settings = GallerySettings::initial();
    test::RecordingObserver observer;
};

TEST_F(ThumbnailTargetsTest, FolderOutsideTheImageDirectoryIsRefusedBeforeAnything)
{
    settings.ThumbPrefix = "";
    if (!test::makeSymbolicLink("..", dir.path("pics/web/up"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    for (const char* thumbsDir :
         {"..", "..\\", "Thumbs/../..", "/Thumbs", "\\Thumbs", "C:\\Thumbs", "up", "up/new"}) {
        setThumbsDir(thumbsDir);

        const Result<CommandEnd> end = run();

        ASSERT_FALSE(end.ok()) << thumbsDir;
        EXPECT_EQ(end.message(), std::string("The thumbnail folder \"") + thumbsDir +
                                     "\" (ThumbsDir) is not inside the image directory " +
                                     settings.ImageDir +
                                     ": thumbnails are kept in a sub-folder of it");
    }
    EXPECT_TRUE(observer.events.empty());
    EXPECT_EQ(dir.read("pics/h.jpg"), "the photo outside");
    EXPECT_FALSE(dir.exists("pics/new"));
    EXPECT_EQ(dir.entryCount(), 1);

    // A ".." that stays inside is a sub-folder like any other.
    setThumbsDir("a/../small");
    ASSERT_TRUE(run().ok());
    EXPECT_TRUE(dir.exists("pics/web/small/h.jpg"));
}

TEST_F(ThumbnailTargetsTest, ThumbnailNamedByALinkToItsPhotoIsRefusedAndThePhotoKept)
{
    const std::string photo = dir.read("pics/web/h.jpg");
    ASSERT_TRUE(test::makeDirectory(dir.path("pics/web/Thumbs")));
    if (!test::makeSymbolicLink("../h.jpg", dir.path("pics/web/Thumbs/Thumb-h.jpg"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }

    const Result<CommandEnd> end = run();

    EXPECT_EQ(end.message(), "Cannot create file " + dir.path("pics/web/Thumbs/Thumb-h.jpg") +
                                 ": it is a symbolic link");
    EXPECT_EQ(dir.read("pics/web/h.jpg"), photo);
    EXPECT_TRUE(observer.events.empty());
}

// No thumbnail is written onto one of the run's images, whatever name leads to it.
TEST_F(ThumbnailTargetsTest, ThumbnailThatIsOneOfTheImagesIsRefusedBeforeAnything)
{
    const std::string jpeg = test::encodeJpeg(test::patternImage(40, 30));
    dir.write("pics/web/b.jpg", jpeg);
    dir.write("pics/web/ab.jpg", jpeg + "original");
    setThumbsDir("");
    settings.ThumbPrefix = "a";

    const Result<CommandEnd> another = run({"b.jpg", "ab.jpg"});

    EXPECT_EQ(another.message(), "Cannot create file " + dir.path("pics/web/ab.jpg") +
                                     ": it is the image " + dir.path("pics/web/ab.jpg"));
    EXPECT_EQ(dir.read("pics/web/ab.jpg"), jpeg + "original");

    setThumbsDir("Thumbs");
    settings.ThumbPrefix = "Thumb-";
    ASSERT_TRUE(test::makeDirectory(dir.path("pics/web/Thumbs")));
    ASSERT_TRUE(
        test::makeHardLink(dir.path("pics/web/b.jpg"), dir.path("pics/web/Thumbs/Thumb-h.jpg")));

    const Result<CommandEnd> hardLink = run({"h.jpg", "b.jpg"});

    EXPECT_EQ(hardLink.message(), "Cannot create file " + dir.path("pics/web/Thumbs/Thumb-h.jpg") +
                                      ": it is the image " + dir.path("pics/web/b.jpg"));
    EXPECT_EQ(dir.read("pics/web/b.jpg"), jpeg);
    EXPECT_FALSE(dir.exists("pics/web/Thumbs/Thumb-b.jpg"));
    EXPECT_TRUE(observer.events.empty());
}

#ifdef _WIN32
// Windows would make "Thumbs." as "Thumbs", which the pages would not name; a device is no folder.
TEST_F(ThumbnailTargetsTest, FolderWindowsCannotHoldIsRefusedWithTheReason)
{
    for (const auto& [thumbsDir, problem] :
         {std::pair("Thumbs.", "it ends in a dot or a blank, which Windows drops from names"),
          std::pair("small\\CON", "it is the name of the device CON")}) {
        setThumbsDir(thumbsDir);
        EXPECT_EQ(run().message(), std::string("The thumbnail folder \"") + thumbsDir +
                                       "\" (ThumbsDir) cannot be made: " + problem);
    }
    EXPECT_EQ(dir.entryCount(), 1);
    EXPECT_EQ(listDirectory(dir.path("pics/web"))->size(), 1u);
}
#endif

TEST_F(ThumbnailTargetsTest, FolderThatCannotBeMadeIsNamedWithTheReason)
{
    dir.write("pics/web/Thumbs", "a file");

    EXPECT_EQ(run().message(), "Cannot create directory " + dir.path("pics/web/Thumbs") + ": " +
                                   test::reasonFor(test::Failure::NotADirectory));
    EXPECT_EQ(*run({}), CommandEnd::NoImages);
}

#ifndef _WIN32
// Folder permissions as a user meets them; root is exempt from them, so the command runs in a
// child that gives up root.
TEST_F(ThumbnailTargetsTest, FolderInAReadOnlyFolderIsNamedWithTheReason)
{
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(dir.path("pics/web").c_str(), 0555), 0);
    const test::ChildOutcome readOnly = test::runUnprivileged([this] {
        test::RecordingObserver quiet;
        const Result<CommandEnd> end = MakeThumbnails(test::lockedFolder(settings.ImageDir),
                                                      settings, {"h.jpg"}, quiet, {1, 0});
        return std::pair(end.ok() ? 0 : 1, end.message());
    });
    ASSERT_EQ(::chmod(dir.path("pics/web").c_str(), 0755), 0);
    EXPECT_EQ(readOnly.code, 1);
    EXPECT_EQ(readOnly.text,
              "Cannot create directory " + dir.path("pics/web/Thumbs") + ": Permission denied");
}
#endif

}  // namespace
}  // namespace pixmosa
