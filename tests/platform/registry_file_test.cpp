#include "platform/registry_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

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

    pid_t children[kWriters];
    for (int writer = 0; writer < kWriters; ++writer) {
        children[writer] = ::fork();
        ASSERT_GE(children[writer], 0);
        if (children[writer] == 0) {
            RegistryFile registry(path);
            bool ok = true;
            for (int i = 0; i < kValuesEach; ++i) {
                const std::string name = std::string("W")
                                             .append(std::to_string(writer))
                                             .append("-")
                                             .append(std::to_string(i));
                ok = registry.writeValue(kKey, name, RegistryValue::dword(i)).ok() && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

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

}  // namespace
}  // namespace pixmosa
