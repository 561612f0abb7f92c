// What every file operation promises (src/platform/file_system.md), held to the same tests on
// every system: on Linux against the POSIX layer, under Wine against the Windows one.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "common/paths.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "support/file_setup.h"
#include "support/temp_dir.h"
#ifdef _WIN32
#include <windows.h>

#include "platform/windows_paths.h"
#endif

namespace pixmosa {
namespace {

using test::TempDir;

TEST(FileContractTest, FailuresTellTheirKind)
{
    const TempDir dir;
    dir.write("taken", "mine");
    ASSERT_TRUE(test::makeDirectory(dir.path("empty")));
    const std::string missing = dir.path("missing/file");

    EXPECT_EQ(writeFileAtomically(dir.path("taken"), "new", ExistingFile::Keep).kind(),
              ErrorKind::Exists);
    EXPECT_EQ(renameWithoutReplace(dir.path("empty"), dir.path("taken")).kind(), ErrorKind::Exists);
    EXPECT_EQ(writeFileAtomically(missing, "new", ExistingFile::Replace).kind(),
              ErrorKind::NotFound);
    EXPECT_EQ(lookUp(missing).kind(), ErrorKind::NotFound);
    EXPECT_EQ(listDirectory(dir.path("missing")).kind(), ErrorKind::NotFound);
    EXPECT_EQ(openRegularFile(missing).kind(), ErrorKind::NotFound);
    EXPECT_TRUE(listDirectory(dir.path("empty"))->empty());
    EXPECT_EQ(dir.read("taken"), "mine");
    if (test::makeSymbolicLink(dir.path("taken"), dir.path("link"))) {
        EXPECT_EQ(writeFileAtomically(dir.path("link"), "new", ExistingFile::Replace).kind(),
                  ErrorKind::IsLink);
    }
}

// A replaced file keeps what its owner gave it, whichever way it is written.
TEST(FileContractTest, ReplacedFileKeepsWhatItsOwnerGaveIt)
{
    const TempDir dir;
    dir.write("store", "old");
    dir.write("page.html", "old");
    ASSERT_TRUE(test::giveOwnersChoice(dir.path("store")));
    ASSERT_TRUE(test::giveOwnersChoice(dir.path("page.html")));

    ASSERT_TRUE(writeFileAtomically(dir.path("store"), "new", ExistingFile::Replace).ok());
    FileRewriter pages;
    ASSERT_TRUE(pages.write(dir.path("page.html"), "new").ok());

    EXPECT_EQ(dir.read("store"), "new");
    EXPECT_TRUE(test::hasOwnersChoice(dir.path("store")));
    EXPECT_EQ(dir.read("page.html"), "new");
    EXPECT_TRUE(test::hasOwnersChoice(dir.path("page.html")));
    EXPECT_EQ(dir.entryCount(), 2);
}

TEST(FileContractTest, TimesAreNanosecondsSince1970)
{
    const TempDir dir;
    dir.write("file", "x");
    const std::optional<FileVersion> version = fileVersion(dir.path("file"));
    ASSERT_TRUE(version);
    const auto written = std::chrono::file_clock::to_sys(
        std::filesystem::last_write_time(test::fileSystemPath(dir.path("file"))));
    const std::int64_t expected =
        std::chrono::duration_cast<std::chrono::nanoseconds>(written.time_since_epoch()).count();
    EXPECT_LT(std::abs(version->modified - expected), std::int64_t{2'000'000'000});
    EXPECT_LT(std::abs(version->changed - expected), std::int64_t{3'600'000'000'000});
}

// A folder deeper than 260 characters is no different from any other.
TEST(FileContractTest, PathsLongerThan260CharactersWork)
{
    const TempDir dir;
    const std::string deep =
        dir.path(std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(60, 'c'));
    ASSERT_GT(deep.size(), 300u);
    ASSERT_TRUE(makeDirectories(deep).ok());
    const std::string file = withTrailingSeparator(deep) + "Gallery1.html";

    ASSERT_TRUE(writeFileAtomically(file, "page", ExistingFile::Replace).ok());
    FileRewriter pages;
    ASSERT_TRUE(pages.write(file, "page two").ok());
    ASSERT_TRUE(renameWithoutReplace(file, file + ".old").ok());
    EXPECT_EQ(*listDirectory(deep), std::vector<std::string>{"Gallery1.html.old"});
    EXPECT_TRUE(fileIdentity(file + ".old").has_value());
    EXPECT_EQ(readWholeFile(file + ".old").value(), "page two");
    EXPECT_TRUE(lookUp(deep).ok());
    EXPECT_TRUE(FolderLock::tryAcquire(deep)->held());
}

// A lock belongs to the file or folder: reached by another path, it is the same lock.
TEST(FileContractTest, LocksBelongToTheFileNotToThePath)
{
    const TempDir dir;
    const test::OtherSpelling other(dir.path());
    if (other.path().empty()) {
        GTEST_SKIP() << "no second path to a folder can be made here";
    }
    const std::string elsewhere = other.path() + kPathSeparator;

    std::optional<FolderLock> folder = FolderLock::tryAcquire(dir.path());
    ASSERT_TRUE(folder && folder->held());
    EXPECT_FALSE(FolderLock::tryAcquire(elsewhere).has_value());
    folder.reset();
    EXPECT_TRUE(FolderLock::tryAcquire(elsewhere)->held());

    Result<FileLock> acquired = FileLock::acquire(dir.path("store"), FileLock::Missing::Create);
    ASSERT_TRUE(acquired.ok()) << acquired.message();
    std::optional<FileLock> store(std::move(acquired).value());
    std::atomic<bool> taken{false};
    std::thread waiter([&] {
        const Result<FileLock> second =
            FileLock::acquire(elsewhere + "store", FileLock::Missing::Fail);
        taken = second.ok();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(taken) << "the store's lock was taken twice";
    store.reset();
    waiter.join();
    EXPECT_TRUE(taken);
}

#ifdef _WIN32
// What Wine cannot show (OneDrive's files, junctions, network shares) is decided by plain
// functions of what the system tells.
TEST(FileContractTest, OnlyLinksAndJunctionsLeadElsewhereAndPathsTakeTheirLongForm)
{
    constexpr unsigned long kReparse = FILE_ATTRIBUTE_REPARSE_POINT;
    EXPECT_TRUE(redirectsElsewhere(kReparse, IO_REPARSE_TAG_SYMLINK));
    EXPECT_TRUE(
        redirectsElsewhere(kReparse | FILE_ATTRIBUTE_DIRECTORY, IO_REPARSE_TAG_MOUNT_POINT));
    for (const unsigned long tag :
         {0x9000001Aul /* OneDrive */, 0x80000013ul /* dedup */, 0x80000017ul /* compact */}) {
        EXPECT_FALSE(redirectsElsewhere(kReparse, tag)) << tag;
    }
    EXPECT_FALSE(redirectsElsewhere(FILE_ATTRIBUTE_NORMAL, IO_REPARSE_TAG_SYMLINK));

    EXPECT_EQ(longPathForm(L"C:\\Photos\\Trip"), L"\\\\?\\C:\\Photos\\Trip");
    EXPECT_EQ(longPathForm(L"\\\\server\\share\\Trip"), L"\\\\?\\UNC\\server\\share\\Trip");
    EXPECT_EQ(longPathForm(L"relative\\Trip"), L"relative\\Trip");
    EXPECT_EQ(ordinaryPathForm(L"\\\\?\\UNC\\server\\share\\Pixmosa.dat"),
              L"\\\\server\\share\\Pixmosa.dat");
    EXPECT_EQ(ordinaryPathForm(L"\\\\?\\C:\\Pixmosa.dat"), L"C:\\Pixmosa.dat");
    EXPECT_EQ(nanosecondsSinceEpoch(116444736000000000ull + 10), 1000);
}
#endif

}  // namespace
}  // namespace pixmosa
