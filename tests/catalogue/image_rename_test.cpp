#include "catalogue/image_rename.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/file_setup.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

TEST(ImageRenameTest, NumbersArePaddedToTheWidthOfTheCount)
{
    EXPECT_EQ(renamedImageName("Trip-", 0, 12), "Trip-01.jpg");
    EXPECT_EQ(renamedImageName("Trip-", 11, 12), "Trip-12.jpg");
    EXPECT_EQ(renamedImageName("", 0, 9), "1.jpg");
    EXPECT_EQ(renamedImageName("", 9, 10), "10.jpg");
    EXPECT_EQ(renamedImageName("", 0, 100), "001.jpg");
    EXPECT_EQ(renamedImageName("x", 0, 3), "x1.jpg");
}

TEST(ImageRenameTest, ImagesAreRenamedInListOrderAndKeepTheirContent)
{
    const TempDir dir;
    Names images;
    for (int i = 0; i < 12; ++i) {
        images.push_back("photo" + std::string(1, static_cast<char>('a' + i)) + ".JPG");
        dir.write(images.back(), std::to_string(i));
    }
    std::swap(images[0], images[11]);

    EXPECT_TRUE(RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "Trip-").empty());

    EXPECT_EQ(images.front(), "Trip-01.jpg");
    EXPECT_EQ(images.back(), "Trip-12.jpg");
    EXPECT_EQ(dir.read("Trip-01.jpg"), "11");
    EXPECT_EQ(dir.read("Trip-12.jpg"), "0");
    EXPECT_EQ(dir.entryCount(), 12);
}

TEST(ImageRenameTest, TakenNameIsNeverOverwrittenAndTheRestGoesOn)
{
    const TempDir dir;
    dir.write("2.jpg", "two");
    dir.write("1.jpg", "one");
    Names images{"2.jpg", "1.jpg"};

    const std::vector<RefusedRename> refused =
        RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "");

    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0].message,
              "Cannot rename 2.jpg to 1.jpg: " + test::reasonFor(test::Failure::AlreadyExists));
    EXPECT_EQ(refused[1].message,
              "Cannot rename 1.jpg to 2.jpg: " + test::reasonFor(test::Failure::AlreadyExists));

    EXPECT_EQ(images, (Names{"2.jpg", "1.jpg"}));
    EXPECT_EQ(dir.read("1.jpg"), "one");
    EXPECT_EQ(dir.read("2.jpg"), "two");
}

TEST(ImageRenameTest, RenamingTwiceWithTheSamePrefixChangesNothingTheSecondTime)
{
    const TempDir dir;
    dir.write("b.jpg", "b");
    dir.write("a.jpg", "a");
    dir.write("x1.jpg", "someone else's");
    Names images{"b.jpg", "a.jpg"};

    EXPECT_TRUE(RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "y").empty());
    const Names once = images;
    EXPECT_TRUE(RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "y").empty());

    EXPECT_EQ(once, (Names{"y1.jpg", "y2.jpg"}));
    EXPECT_EQ(images, once);
    EXPECT_EQ(dir.read("y1.jpg"), "b");
    EXPECT_EQ(dir.read("x1.jpg"), "someone else's");
}

TEST(ImageRenameTest, MissingFileOrPrefixWithASeparatorIsRefused)
{
    const TempDir dir;
    dir.write("a.jpg", "a");
    ASSERT_TRUE(test::makeDirectory(dir.path("sub")));
    Names images{"gone.jpg", "a.jpg"};

    const std::vector<RefusedRename> separator =
        RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "sub/");
    ASSERT_EQ(separator.size(), 2u);
    EXPECT_EQ(separator[0].message,
              "Cannot rename gone.jpg to sub/1.jpg: the prefix holds a directory separator");
    const std::vector<RefusedRename> missing =
        RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "n");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].message,
              "Cannot rename gone.jpg to n1.jpg: " + test::reasonFor(test::Failure::NoSuchFile));

    EXPECT_EQ(images, (Names{"gone.jpg", "n2.jpg"}));
    EXPECT_FALSE(dir.exists("sub/2.jpg"));
}

// Only the letter case changes: on a file system that ignores case the new name is the photo
// itself, and it is renamed all the same.
TEST(ImageRenameTest, RenameThatOnlyChangesTheLetterCaseIsMade)
{
    const TempDir dir;
    dir.write("x1.jpg", "one");
    Names images{"x1.jpg"};

    EXPECT_TRUE(RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "X").empty());

    EXPECT_EQ(images, Names{"X1.jpg"});
    EXPECT_EQ(*listDirectory(dir.path()), Names{"X1.jpg"});
    EXPECT_EQ(dir.read("X1.jpg"), "one");
}

#ifdef _WIN32
// A colon would name a stream of a file "a", into which the photo would vanish; a device name
// would be the device.
TEST(ImageRenameTest, NamesWindowsCannotHoldAreRefused)
{
    const TempDir dir;
    dir.write("a.jpg", "a");
    Names images{"a.jpg"};

    const std::vector<RefusedRename> colon =
        RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "a:b");
    const std::vector<RefusedRename> device =
        RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "COM");
    ASSERT_EQ(colon.size(), 1u);
    EXPECT_EQ(colon[0].message,
              "Cannot rename a.jpg to a:b1.jpg: it holds \":\", which Windows "
              "names cannot hold");
    ASSERT_EQ(device.size(), 1u);
    EXPECT_EQ(device[0].message,
              "Cannot rename a.jpg to COM1.jpg: it is the name of the device COM1");
    EXPECT_EQ(*listDirectory(dir.path()), Names{"a.jpg"});
}
#endif

TEST(ImageRenameTest, EmptyListChangesNothing)
{
    const TempDir dir;
    Names images;
    EXPECT_TRUE(RenameImages(test::lockedFolder(dir.path()), dir.path(), images, "p").empty());
    EXPECT_EQ(dir.entryCount(), 0);
}

}  // namespace
}  // namespace pixmosa
