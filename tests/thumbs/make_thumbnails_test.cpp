#include "thumbs/make_thumbnails.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include <chrono>
#include <filesystem>
#include <thread>

#include "catalogue/image_scan.h"
#include "settings/thumb_folder.h"
#include "support/file_setup.h"
#include "support/jpeg_fixtures.h"
#include "support/recording_observer.h"
#include "support/temp_dir.h"
#include "thumbs/thumbnail_maker.h"

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
        test::makeDirectory(settings.ImageDir);
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
        return MakeThumbnails(test::lockedFolder(settings.ImageDir), settings, images, observer,
                              {workers, memoryLimit});
    }

    Names addNumberedImages(int count)
    {
        Names images;
        for (int i = 1; i <= count; ++i) {
            images.push_back(std::to_string(i) + ".jpg");
            addImage(images.back(), 80 + i, 60);
        }
        return images;
    }

    TempDir dir;
    GallerySettings settings = GallerySettings::initial();
    RecordingObserver observer;
    unsigned workers = 1;
    std::uint64_t memoryLimit = 0;
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

TEST_F(MakeThumbnailsTest, ThumbnailsMadeInParallelAreTheThumbnailsMadeOneByOne)
{
    const Names images = addNumberedImages(12);
    ASSERT_TRUE(run(images).ok());
    std::vector<std::string> serial;
    for (const std::string& image : images) {
        serial.push_back(dir.read("pics/Thumbs/Thumb-" + image));
    }
    observer.events.clear();
    workers = 4;

    ASSERT_TRUE(run(images).ok());

    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(dir.read("pics/Thumbs/Thumb-" + images[i]), serial[i]) << images[i];
    }
    ASSERT_EQ(observer.events.size(), 14u);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(observer.events[static_cast<std::size_t>(n - 1)],
                  "Creating thumbnail " + std::to_string(n) + " of 12");
    }
}

TEST_F(MakeThumbnailsTest, ParallelRunStopsAtTheFirstFailingImageInListOrder)
{
    const Names images = addNumberedImages(8);
    dir.write("pics/3.jpg", "broken");
    dir.write("pics/6.jpg", "");
    workers = 4;

    const Result<CommandEnd> end = run(images);

    const std::string third =
        MakeThumbnail(dir.path("pics/3.jpg"), dir.path("t.jpg"), 10).message();
    const std::string sixth =
        MakeThumbnail(dir.path("pics/6.jpg"), dir.path("t.jpg"), 10).message();
    ASSERT_NE(third, sixth);
    EXPECT_EQ(end.message(), third);
    EXPECT_EQ(observer.events.back(), "Creating thumbnail 3 of 8");
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-2.jpg"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path("pics/Thumbs"))) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
    }
}

// The third image fails only after a long decode, while the other worker has long finished
// the images after it: none of their thumbnails may reach the disk, and an old one stays.
TEST_F(MakeThumbnailsTest, NoThumbnailAfterAFailureReachesTheDisk)
{
    const Names images = addNumberedImages(9);
    // A second frame header before the last scan: the decoder reads every scan before it.
    std::string slow =
        test::encodeJpeg(test::patternImage(2400, 1800), test::Encoding::Progressive);
    slow.insert(slow.rfind("\xFF\xDA"),
                std::string("\xFF\xC2\x00\x0B\x08\x00\x10\x00\x10\x01\x01\x11\x00", 13));
    dir.write("pics/3.jpg", slow);
    test::makeDirectory(dir.path("pics/Thumbs"));
    dir.write("pics/Thumbs/Thumb-7.jpg", "old");
    workers = 2;

    const Result<CommandEnd> end = run(images);

    ASSERT_FALSE(end.ok());
    EXPECT_EQ(end.message().rfind("JPEG error #", 0), 0u) << end.message();
    EXPECT_EQ(observer.events.back(), "Creating thumbnail 3 of 9");
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-1.jpg"));
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-2.jpg"));
    for (const char* later : {"3", "4", "5", "6", "8", "9"}) {
        EXPECT_FALSE(dir.exists(std::string("pics/Thumbs/Thumb-") + later + ".jpg")) << later;
    }
    EXPECT_EQ(dir.read("pics/Thumbs/Thumb-7.jpg"), "old");
}

// A small file may declare a huge progressive image, whose whole coefficient buffer the decoder
// holds: alone over the limit, it is refused by name before anything is allocated for it.
TEST_F(MakeThumbnailsTest, ImageThatAloneNeedsMoreThanTheMemoryLimitIsRefusedByName)
{
    const Names images = addNumberedImages(2);
    std::string bomb = test::encodeJpeg(test::patternImage(16, 16), test::Encoding::Progressive);
    const std::size_t frame = bomb.find("\xFF\xC2");
    ASSERT_NE(frame, std::string::npos);
    bomb[frame + 5] = static_cast<char>(25000 >> 8);  // height
    bomb[frame + 6] = static_cast<char>(25000 & 0xFF);
    bomb[frame + 7] = static_cast<char>(40000 >> 8);  // width
    bomb[frame + 8] = static_cast<char>(40000 & 0xFF);
    dir.write("pics/2.jpg", bomb);
    workers = 2;
    memoryLimit = std::uint64_t{512} << 20;

    const Result<CommandEnd> end = run(images);

    ASSERT_FALSE(end.ok());
    EXPECT_EQ(end.message().rfind("The image " + dir.path("pics/2.jpg") + " needs ", 0), 0u)
        << end.message();
    EXPECT_NE(end.message().find(" MiB to be decoded, more than the memory limit of 512 MiB"),
              std::string::npos)
        << end.message();
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-1.jpg"));
    EXPECT_FALSE(dir.exists("pics/Thumbs/Thumb-2.jpg"));
}

#ifndef _WIN32
// A run killed at any moment leaves only whole thumbnails and no temporary file.
TEST_F(MakeThumbnailsTest, KilledRunLeavesNoPartialThumbnail)
{
    Names images;
    const std::string picture = test::encodeJpeg(test::patternImage(900, 700));
    for (int i = 0; i < 40; ++i) {
        images.push_back(std::string("p").append(std::to_string(i)).append(".jpg"));
        dir.write("pics/" + images.back(), picture);
    }
    const std::string thumbnails = dir.path("pics/Thumbs");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        test::RecordingObserver quiet;
        (void)MakeThumbnails(test::lockedFolder(settings.ImageDir), settings, images, quiet,
                             {2, 0});
        ::_exit(0);
    }
    const auto madeSoFar = [&] {
        std::error_code missing;
        return std::distance(std::filesystem::directory_iterator(thumbnails, missing),
                             std::filesystem::directory_iterator());
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (madeSoFar() < 3 && ::waitpid(child, nullptr, WNOHANG) == 0) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_GE(madeSoFar(), 3);

    ASSERT_TRUE(MakeThumbnail(dir.path("pics/p0.jpg"), dir.path("whole.jpg"), 50).ok());
    const std::string whole = dir.read("whole.jpg");
    for (const auto& entry : std::filesystem::directory_iterator(thumbnails)) {
        const std::string name = entry.path().filename().string();
        EXPECT_NE(name.front(), '.') << name;
        EXPECT_EQ(dir.read("pics/Thumbs/" + name), whole) << name;
    }
}
#endif

// A window being closed asks the command to stop: it ends before the next thumbnail is
// written, with every file whole, and says it stopped instead of finishing.
TEST_F(MakeThumbnailsTest, CommandAskedToStopEndsBetweenTwoThumbnails)
{
    class StopAtThird final : public CommandObserver {
    public:
        void status(std::string_view text) override { texts.emplace_back(text); }
        void progress(std::size_t, std::size_t) override {}
        void breathe() override {}
        void beep() override { texts.emplace_back("beep"); }
        void message(std::string_view) override {}
        bool stopRequested() const override { return texts.size() >= 3; }
        Names texts;
    } stopping;
    const Names images = addNumberedImages(6);
    workers = 2;

    const Result<CommandEnd> end = MakeThumbnails(test::lockedFolder(settings.ImageDir), settings,
                                                  images, stopping, {workers, 0});

    ASSERT_TRUE(end.ok()) << end.message();
    EXPECT_EQ(*end, CommandEnd::Stopped);
    EXPECT_EQ(stopping.texts.back(), "Creating thumbnail 3 of 6");
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-2.jpg"));
    for (const char* later : {"3", "4", "5", "6"}) {
        EXPECT_FALSE(dir.exists(std::string("pics/Thumbs/Thumb-") + later + ".jpg")) << later;
    }
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
    ASSERT_TRUE(test::makeDirectory(dir.path("pics/old.jpg")));

    const Names images = ScanImages(settings.ImageDir, true);
    const Result<CommandEnd> end = run(images);

    ASSERT_EQ(images, (Names{"a.jpg", "old.jpg"}));
    EXPECT_EQ(end.message(), "Cannot open file " + dir.path("pics/old.jpg") + ": " +
                                 test::reasonFor(test::Failure::IsADirectory));
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
