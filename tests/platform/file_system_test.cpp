#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "platform/system.h"
#include "support/child_processes.h"
#include "support/file_setup.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

TEST(FileSystemTest, RenameWithoutReplaceNeverOverwrites)
{
    const TempDir dir;
    dir.write("a", "A");
    dir.write("b", "B");

    EXPECT_EQ(renameWithoutReplace(dir.path("a"), dir.path("b")).message(),
              test::reasonFor(test::Failure::AlreadyExists));
    EXPECT_EQ(dir.read("a"), "A");
    EXPECT_EQ(dir.read("b"), "B");

    EXPECT_TRUE(renameWithoutReplace(dir.path("a"), dir.path("c")).ok());
    EXPECT_FALSE(dir.exists("a"));
    EXPECT_EQ(dir.read("c"), "A");
}

TEST(FileSystemTest, AtomicWriteReplacesTheWholeFileAndKeepsItsPermissions)
{
    const TempDir dir;
    dir.write("f", "old content that is longer");
#ifndef _WIN32
    ASSERT_EQ(::chmod(dir.path("f").c_str(), 0640), 0);
#endif

    ASSERT_TRUE(writeFileAtomically(dir.path("f"), "new", ExistingFile::Replace).ok());

    EXPECT_EQ(dir.read("f"), "new");
#ifndef _WIN32
    struct stat info {};
    ASSERT_EQ(::stat(dir.path("f").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
#endif
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(FileSystemTest, AtomicWriteThatMustNotReplaceTellsTheFileExisted)
{
    const TempDir dir;
    dir.write("f", "mine");

    const Status written = writeFileAtomically(dir.path("f"), "theirs", ExistingFile::Keep);

    EXPECT_FALSE(written.ok());
    EXPECT_EQ(written.kind(), ErrorKind::Exists);
    EXPECT_EQ(dir.read("f"), "mine");
    EXPECT_EQ(dir.entryCount(), 1);
}

// A link in a written file's place never leads the write elsewhere: writes refuse it, and only
// a store, which the user may keep elsewhere on purpose, follows it and keeps the link.
TEST(FileSystemTest, WritesRefuseASymbolicLinkUnlessToldToFollowIt)
{
    const TempDir dir;
    dir.write("photo.jpg", "photo");
    if (!test::makeSymbolicLink("photo.jpg", dir.path("thumb.jpg"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    if (!test::makeSymbolicLink("photo.jpg", dir.path("page.html"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    if (!test::makeSymbolicLink("nowhere", dir.path("dangling.html"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    const std::string refused = ": it is a symbolic link";

    EXPECT_EQ(writeFileAtomically(dir.path("thumb.jpg"), "new", ExistingFile::Replace).message(),
              dir.path("thumb.jpg") + refused);
    FileRewriter files;
    EXPECT_EQ(files.write(dir.path("page.html"), "new").message(), dir.path("page.html") + refused);
    EXPECT_EQ(files.write(dir.path("dangling.html"), "new").message(),
              dir.path("dangling.html") + refused);
    EXPECT_EQ(dir.read("photo.jpg"), "photo");
    EXPECT_FALSE(dir.exists("nowhere"));
    EXPECT_EQ(dir.entryCount(), 4);

    ASSERT_TRUE(writeFileAtomically(dir.path("thumb.jpg"), "new", ExistingFile::Replace,
                                    Durability::Flush, LinkAtPath::Follow)
                    .ok());
    EXPECT_TRUE(test::isSymbolicLinkOnDisk(dir.path("thumb.jpg")));
    EXPECT_EQ(dir.read("photo.jpg"), "new");
}

// What a write may not replace is looked up at the write, so a photo renamed to a thumbnail's
// name after the pass began is kept; a rewriter told to rewrite does so also for equal content.
TEST(FileSystemTest, ProtectedFileIsNeverReplacedAndSameContentIsRewrittenWhenAsked)
{
    const TempDir dir;
    dir.write("photo.jpg", "photo");
    FileRewriter files(FileRewriter::SameContent::Rewrite, Durability::Flush,
                       {{*fileIdentity(dir.path("photo.jpg")), "it is the image photo.jpg"}});
    ASSERT_TRUE(files.write(dir.path("t1.jpg"), "thumb").ok());
    const std::optional<FileVersion> first = fileVersion(dir.path("t1.jpg"));
    ASSERT_TRUE(files.write(dir.path("t1.jpg"), "thumb").ok());
    EXPECT_NE(fileVersion(dir.path("t1.jpg"))->identity, first->identity);

    ASSERT_TRUE(renameWithoutReplace(dir.path("photo.jpg"), dir.path("t2.jpg")).ok());
    EXPECT_EQ(files.write(dir.path("t2.jpg"), "thumb").message(),
              dir.path("t2.jpg") + ": it is the image photo.jpg");
    EXPECT_EQ(dir.read("t2.jpg"), "photo");
    EXPECT_EQ(dir.entryCount(), 2);
}

// The temporary name holds the process and a counter besides a copy of the name; the copy is
// shortened so that a file whose name fits can always be written.
TEST(FileSystemTest, FilesWithNamesOfTheLongestLengthCanBeWritten)
{
    const TempDir dir;
    FileRewriter files;
    for (const std::size_t length : {229u, 240u, 255u}) {
        const std::string name = std::string(length - 5, 'n') + ".html";
        ASSERT_TRUE(files.write(dir.path(name), "page").ok()) << length;
        ASSERT_TRUE(files.write(dir.path(name), "changed").ok()) << length;
        EXPECT_EQ(dir.read(name), "changed");
        ASSERT_TRUE(writeFileAtomically(dir.path(name), "whole", ExistingFile::Replace).ok());
        EXPECT_EQ(dir.read(name), "whole");
    }
    EXPECT_EQ(dir.entryCount(), 3);
}

// Opening a FIFO for reading would wait for a writer forever.
TEST(FileSystemTest, OnlyRegularFilesAreOpenedForReading)
{
    const TempDir dir;
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(dir.path("pipe.jpg").c_str(), 0666), 0);
    EXPECT_EQ(openRegularFile(dir.path("pipe.jpg")).message(),
              dir.path("pipe.jpg") + ": it is not a regular file");
    EXPECT_EQ(readWholeFile(dir.path("pipe.jpg")).message(),
              dir.path("pipe.jpg") + ": it is not a regular file");
#endif
    ASSERT_TRUE(test::makeDirectory(dir.path("folder.jpg")));
    dir.write("file.jpg", "bytes");

    EXPECT_EQ(openRegularFile(dir.path("folder.jpg")).message(),
              dir.path("folder.jpg") + ": " + test::reasonFor(test::Failure::IsADirectory));
    const Result<ReadableFile> file = openRegularFile(dir.path("file.jpg"));
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file->size, 5u);
    char bytes[8] = {};
    EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file->stream), 5u);
    std::fclose(file->stream);
}

#ifndef _WIN32
// A FIFO that takes a page's place between the look at the page and the read that compares it
// must not hold the writer: another program swaps one in and out while pages are written.
TEST(FileSystemTest, FifoSwappedIntoAPagesPlaceNeverHoldsTheWriter)
{
    const TempDir dir;
    const std::string page = dir.path("page.html");
    std::atomic<bool> done{false};
    std::thread swapper([&] {
        for (int i = 0; !done; ++i) {
            const std::string next = dir.path("next-" + std::to_string(i % 2));
            if (i % 2 == 0) {
                ::mkfifo(next.c_str(), 0666);
            } else {
                dir.write("next-1", "old page");
            }
            std::rename(next.c_str(), page.c_str());
        }
    });
    FileRewriter files;
    int written = 0;
    for (int i = 0; i < 3000; ++i) {
        written += files.write(page, "new page").ok() ? 1 : 0;
    }
    done = true;
    swapper.join();
    EXPECT_EQ(written, 3000);
}
#endif

TEST(FileSystemTest, WhereAPathLeadsOnceLinksAndDotsAreFollowed)
{
    const TempDir dir;
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    ASSERT_TRUE(test::makeDirectory(dir.path("pics/web")));
    if (!test::makeSymbolicLink("..", dir.path("pics/web/up"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    if (!test::makeSymbolicLink(".", dir.path("pics/web/here"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    const std::string web = dir.path("pics/web");

    EXPECT_TRUE(liesWithin(web + "/Thumbs/new/", web));
    EXPECT_TRUE(liesWithin(web + "/here/Thumbs", web));
    EXPECT_TRUE(liesWithin(web + "/", web + "/"));
    EXPECT_TRUE(liesWithin(web + "/a/../b", web));
    EXPECT_FALSE(liesWithin(web + "/..", web));
    EXPECT_FALSE(liesWithin(web + "/up/Thumbs", web));
    EXPECT_FALSE(liesWithin(web + "/new/../../x", web));
    EXPECT_FALSE(liesWithin(dir.path("pics/webbed"), web));
}

TEST(FileSystemTest, FailedReplaceRemovesItsTemporaryFile)
{
    const TempDir dir;
    ASSERT_TRUE(test::makeDirectory(dir.path("target")));
    dir.write("target/inside", "x");

    EXPECT_FALSE(writeFileAtomically(dir.path("target"), "new", ExistingFile::Replace).ok());

    EXPECT_EQ(dir.entryCount(), 1);
    EXPECT_EQ(dir.read("target/inside"), "x");
}

TEST(FileSystemTest, FileThatWouldComeOutTheSameIsNotWritten)
{
    namespace fs = std::filesystem;
    const TempDir dir;
    FileRewriter files;
    bool unchanged = true;
    ASSERT_TRUE(files.write(dir.path("page.html"), "first", &unchanged).ok());
    EXPECT_FALSE(unchanged);
    // Whole seconds, which every file system keeps exactly.
    const fs::file_time_type past = std::chrono::floor<std::chrono::seconds>(
        fs::file_time_type::clock::now() - std::chrono::hours(1));
    fs::last_write_time(dir.path("page.html"), past);
#ifndef _WIN32
    ASSERT_EQ(::chmod(dir.path("page.html").c_str(), 0640), 0);
#endif

    ASSERT_TRUE(files.write(dir.path("page.html"), "first", &unchanged).ok());
    EXPECT_TRUE(unchanged);
    EXPECT_EQ(fs::last_write_time(dir.path("page.html")), past);

    // Same size, other bytes; then another size: replaced, keeping the file's mode.
    for (const char* content : {"fir5t", "second"}) {
        ASSERT_TRUE(files.write(dir.path("page.html"), content, &unchanged).ok());
        EXPECT_FALSE(unchanged);
        EXPECT_EQ(dir.read("page.html"), content);
    }
#ifndef _WIN32
    struct stat info {};
    ASSERT_EQ(::stat(dir.path("page.html").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
#endif
    EXPECT_EQ(dir.entryCount(), 1);

    // A read-only page is left as it is, and so is a directory in a page's place.
    ASSERT_TRUE(test::makeReadOnly(dir.path("page.html")));
    EXPECT_FALSE(files.write(dir.path("page.html"), "third").ok());
    EXPECT_EQ(dir.read("page.html"), "second");
    ASSERT_TRUE(test::makeDirectory(dir.path("dir.html")));
    EXPECT_FALSE(files.write(dir.path("dir.html"), "x").ok());
    EXPECT_EQ(dir.entryCount(), 2);

    // Each file lands in its own directory, also when the directory changes between files.
    ASSERT_TRUE(files.write(dir.path("dir.html/inner.html"), "inner").ok());
    ASSERT_TRUE(files.write(dir.path("other.html"), "other").ok());
    EXPECT_EQ(dir.read("dir.html/inner.html"), "inner");
    EXPECT_EQ(dir.read("other.html"), "other");
    EXPECT_FALSE(files.write(dir.path("missing/page.html"), "x").ok());
    EXPECT_EQ(dir.entryCount(), 3);
}

TEST(FileSystemTest, TemporariesOfWritersThatNoLongerRunAreRemoved)
{
    const std::uint64_t ended = test::endedProcessId();
    ASSERT_NE(ended, 0u);
    const TempDir dir;
    const std::string dead = std::to_string(ended);
    const std::string self = std::to_string(currentProcessId());
    const std::string live = std::to_string(test::otherLiveProcessId());
    const std::string kept[] = {
        "page.html",
        ".page.html.tmp-" + live + ".0badc0de-4",  // a writer that still runs
        "page.html.tmp-" + dead + ".0badc0de-1",
        ".page.html.tmp-" + dead + ".xyz-1",
        ".tmp-" + dead + ".0badc0de-1",
    };
    for (const std::string& name : kept) {
        dir.write(name, "keep");
    }
    dir.write(".page.html.tmp-" + dead + ".0badc0de-3", "debris");
    dir.write(".Thumb-a.jpg.tmp-" + dead + ".12345678-12", "debris");
    // An earlier run that happened to have this process's id, as in a container.
    dir.write(".index.html.tmp-" + self + ".00000000-0", "debris");

    removeStaleTemporaries(dir.path());

    EXPECT_EQ(dir.entryCount(), static_cast<int>(std::size(kept)));
    for (const std::string& name : kept) {
        EXPECT_TRUE(dir.exists(name)) << name;
    }
}

TEST(FileSystemTest, MakeDirectoriesCreatesEveryMissingParent)
{
    const TempDir dir;

    ASSERT_TRUE(makeDirectories(dir.path("a/b/c")).ok());
    ASSERT_TRUE(makeDirectories(dir.path("a/b/c")).ok());

    EXPECT_TRUE(directoryExists(dir.path("a/b/c")));
    EXPECT_FALSE(fileExists(dir.path("a/b/c")));
}

}  // namespace
}  // namespace pixmosa
