#include "platform/registry_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/child_processes.h"
#include "support/file_setup.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

constexpr std::string_view kKey = "Software\\Brevant Software\\Pixmosa";

TEST(RegistryFileTest, MissingFileHasNoValues)
{
    const TempDir dir;
    const RegistryFile registry(dir.path("registry.reg"));

    EXPECT_FALSE(registry.readValue(kKey, "Rows").has_value());
    EXPECT_EQ(dir.entryCount(), 0);
}

TEST(RegistryFileTest, FirstWriteCreatesTheFileAndItsDirectories)
{
    const TempDir dir;
    RegistryFile registry(dir.path("config/pixmosa/registry.reg"));

    ASSERT_TRUE(registry.writeValue(kKey, "Rows", RegistryValue::dword(3)).ok());

    EXPECT_EQ(dir.read("config/pixmosa/registry.reg"),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa]\r\n"
              "\"Rows\"=dword:00000003\r\n\r\n");
    EXPECT_EQ(registry.readValue(kKey, "Rows"), RegistryValue::dword(3));
}

TEST(RegistryFileTest, WritesLeaveNoTemporaryFileBehind)
{
    const TempDir dir;
    RegistryFile registry(dir.path("registry.reg"));

    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(registry.writeValue(kKey, "Rows", RegistryValue::dword(i)).ok());
    }

    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(RegistryFileTest, UnreadableFileReadsAsMissingAndIsNotLost)
{
    const TempDir dir;
    dir.write("registry.reg", std::string("\x01\x02garbage\0\xff", 11));
    RegistryFile registry(dir.path("registry.reg"));

    EXPECT_FALSE(registry.readValue(kKey, "Rows").has_value());
    ASSERT_TRUE(registry.writeValue(kKey, "Rows", RegistryValue::dword(2)).ok());
    EXPECT_EQ(registry.readValue(kKey, "Rows"), RegistryValue::dword(2));
    EXPECT_NE(dir.read("registry.reg").find("garbage"), std::string::npos);
}

// Two running copies each write their own values while the other writes too; a lost update
// would drop some of them.
TEST(RegistryFileTest, ConcurrentWritersKeepEachOthersValues)
{
    const TempDir dir;
    const std::string path = dir.path("registry.reg");
    constexpr int kWriters = 2;
    constexpr int kValuesEach = 40;

    EXPECT_TRUE(test::succeedInChildren(kWriters, [&](int writer) {
        RegistryFile registry(path);
        bool ok = true;
        for (int i = 0; i < kValuesEach; ++i) {
            const std::string name = std::string("W")
                                         .append(std::to_string(writer))
                                         .append("-")
                                         .append(std::to_string(i));
            ok = registry.writeValue(kKey, name, RegistryValue::dword(i)).ok() && ok;
        }
        return ok;
    }));

    const RegistryFile registry(path);
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kValuesEach; ++i) {
            const std::string name = std::string("W")
                                         .append(std::to_string(writer))
                                         .append("-")
                                         .append(std::to_string(i));
            EXPECT_EQ(registry.readValue(kKey, name), RegistryValue::dword(i)) << name;
        }
    }
    EXPECT_EQ(dir.entryCount(), 1);
}

// The bytes this process has read through the system so far.
long long bytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    for (std::string field; io >> field;) {
        long long value = 0;
        io >> value;
        if (field == "rchar:") {
            return value;
        }
    }
    return -1;
}

// A command reads many settings; a large file is parsed once for all of them, and again only
// once it has changed.
TEST(RegistryFileTest, ManyReadsReadTheFileOnceUntilItChanges)
{
    const TempDir dir;
    RegistryFile registry(dir.path("registry.reg"));
    ASSERT_TRUE(
        registry.writeValue(kKey, "Padding", RegistryValue::text(std::string(1 << 20, 'p'))).ok());
    ASSERT_TRUE(registry.writeValue(kKey, "Rows", RegistryValue::dword(3)).ok());
    const long long size = static_cast<long long>(dir.read("registry.reg").size());

    const long long before = bytesReadSoFar();
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(registry.readValue(kKey, "Rows"), RegistryValue::dword(3));
    }
    EXPECT_LT(bytesReadSoFar() - before, 2 * size);

    RegistryFile other(dir.path("registry.reg"));
    ASSERT_TRUE(other.writeValue(kKey, "Rows", RegistryValue::dword(4)).ok());
    EXPECT_EQ(registry.readValue(kKey, "Rows"), RegistryValue::dword(4));
}

// A settings file kept elsewhere through a link (a synced folder) stays linked.
TEST(RegistryFileTest, FileThatIsASymbolicLinkIsFollowedAndTheLinkStays)
{
    const TempDir dir;
    if (!test::makeSymbolicLink("synced.reg", dir.path("registry.reg"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    RegistryFile registry(dir.path("registry.reg"));

    ASSERT_TRUE(registry.writeValue(kKey, "Rows", RegistryValue::dword(3)).ok());
    ASSERT_TRUE(registry.writeValue(kKey, "Rows", RegistryValue::dword(4)).ok());

    EXPECT_TRUE(test::isSymbolicLinkOnDisk(dir.path("registry.reg")));
    EXPECT_NE(dir.read("synced.reg").find("\"Rows\"=dword:00000004"), std::string::npos);
}

}  // namespace
}  // namespace pixmosa
