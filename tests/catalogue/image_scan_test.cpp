#include "catalogue/image_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

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
    ASSERT_EQ(::mkdir(dir.path("old.jpg").c_str(), 0777), 0);

    const Names images = ScanImages(dir.path(), false);

    EXPECT_EQ(sortedCopy(images), (Names{".d.jpg", "a.jpg", "b.JPG", "old.jpg"}));
}

TEST(ImageScanTest, UnsortedListKeepsTheFileSystemsListingOrder)
{
    const TempDir dir;
    for (int i = 0; i < 20; ++i) {
        dir.write("img" + std::to_string(i) + ".jpg", "");
    }

    const Names first = ScanImages(dir.path(), false);

    EXPECT_EQ(first.size(), 20u);
    EXPECT_EQ(ScanImages(dir.path() + "/", false), first);
}

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
