#include "catalogue/image_scan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/file_setup.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

Names sortedCopy(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ImageScanTest, ListsJpgNamesOfAnyCaseHiddenFilesAndDirectories)
{
    const TempDir dir;
    for (const char* name : {"b.JPG", "a.jpg", "c.jpeg", ".d.jpg", "e.png", "f.jpg.txt"}) {
        dir.write(name, "");
    }
    ASSERT_TRUE(test::makeDirectory(dir.path("old.jpg")));

    const Names images = ScanImages(dir.path(), false);

    EXPECT_EQ(sortedCopy(images), (Names{".d.jpg", "a.jpg", "b.JPG", "old.jpg"}));
}

// Whatever order the files were made in and the file system lists them in: bytes compared
// with a to z taken as A to Z, then the exact bytes.
TEST(ImageScanTest, UnsortedListIsInNameOrder)
{
    const TempDir dir;
    // "b c.jpg" before "B.jpg": the blank (0x20) is less than the full stop (0x2E).
    const Names expected{"10.jpg", "9.jpg",    "apple.jpg",       "Apple2.jpg", "b c.jpg",
                         "B.jpg",  "cafe.jpg", "caf\xC3\xA9.jpg", "Zebra.jpg",  "_a.jpg"};
    Names shuffled = expected;
    std::reverse(shuffled.begin(), shuffled.end());
    std::rotate(shuffled.begin(), shuffled.begin() + 4, shuffled.end());
    for (const std::string& name : shuffled) {
        dir.write(name, "");
    }

    EXPECT_EQ(ScanImages(dir.path(), false), expected);
    EXPECT_EQ(ScanImages(dir.path() + "/", false), expected);
}

#ifndef _WIN32
// Windows file systems hold only one of these names.
TEST(ImageScanTest, NamesEqualWithoutCaseAreListedByTheirExactBytes)
{
    const TempDir dir;
    for (const char* name : {"a.jpg", "A.JPG", "A.jpg", "a.JPG"}) {
        dir.write(name, "");
    }

    EXPECT_EQ(ScanImages(dir.path(), false), (Names{"A.JPG", "A.jpg", "a.JPG", "a.jpg"}));
}
#endif

TEST(ImageScanTest, SortedListComparesNamesWithoutRegardToCase)
{
    const TempDir dir;
    for (const char* name : {"img2.jpg", "banana.jpg", "img10.jpg", "Apple.jpg", "Cherry.JPG"}) {
        dir.write(name, "");
    }

    EXPECT_EQ(ScanImages(dir.path(), true),
              (Names{"Apple.jpg", "banana.jpg", "Cherry.JPG", "img10.jpg", "img2.jpg"}));
}

TEST(ImageScanTest, MissingOrEmptyDirectoryGivesAnEmptyList)
{
    const TempDir dir;
    EXPECT_TRUE(ScanImages(dir.path("missing"), true).empty());
    EXPECT_TRUE(ScanImages("", false).empty());
    EXPECT_TRUE(ScanImages(dir.path(), false).empty());
}

}  // namespace
}  // namespace pixmosa
