#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/registry_file.h"
#include "settings/store.h"
#include "support/temp_dir.h"

namespace pixmosa::cli {
namespace {

using test::TempDir;

class CommandLineTest : public ::testing::Test {
protected:
    int run(std::vector<std::string> arguments, const std::string& input = {})
    {
        std::istringstream in(input);
        out.str({});
        err.str({});
        Context context{registry, dir.path("Pixmosa.dat"), in, out, err};
        return runCommandLine(arguments, context);
    }

    TempDir dir;
    RegistryFile registry{dir.path("registry.reg")};
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CommandLineTest, GetPrintsTheDefaultOfAValueNotStored)
{
    EXPECT_EQ(run({"get", "Columns"}), kSuccess);
    EXPECT_EQ(out.str(), "5\n");
    EXPECT_EQ(run({"get", "DocExtension"}), kSuccess);
    EXPECT_EQ(out.str(), "html\n");
    EXPECT_EQ(run({"get", "UseImageShell"}), kSuccess);
    EXPECT_EQ(out.str(), "1\n");
    EXPECT_EQ(dir.entryCount(), 0);
}

TEST_F(CommandLineTest, SetStoresWithTheFieldsTypeAndClampsNumbers)
{
    EXPECT_EQ(run({"set", "ThumbSize", "1000"}), kSuccess);
    EXPECT_EQ(run({"set", "CellSpacing", ""}), kSuccess);
    EXPECT_EQ(run({"set", "sorted", "1"}), kSuccess);
    EXPECT_EQ(run({"set", "GalleryBackColor", "255"}), kSuccess);
    EXPECT_EQ(run({"set", "ThumbsDir", " My Thumbs "}), kSuccess);

    EXPECT_EQ(*ReadStoreInteger(registry, kSettingsKey, "ThumbSize", 0), 400);
    EXPECT_EQ(*ReadStoreInteger(registry, kSettingsKey, "CellSpacing", 9), 0);
    EXPECT_EQ(registry.readValue(kSettingsKey, "Sorted"), RegistryValue::dword(1));
    EXPECT_EQ(*ReadStoreInteger(registry, kSettingsKey, "GalleryBackColor", 0), 255);
    EXPECT_EQ(*ReadStoreString(registry, kSettingsKey, "ThumbsDir", ""), " My Thumbs ");
}

TEST_F(CommandLineTest, GetReadsAsTheLoadReadsClampingWhatIsStored)
{
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "Rows", 0).ok());
    EXPECT_EQ(run({"get", "Rows"}), kSuccess);
    EXPECT_EQ(out.str(), "1\n");
}

TEST_F(CommandLineTest, ValueOfTheWrongTypeIsAnErrorWithItsMessage)
{
    ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, "Rows", "5").ok());

    EXPECT_EQ(run({"get", "Rows"}), kFailure);
    EXPECT_EQ(err.str(), "Invalid data type for 'Rows'\n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(CommandLineTest, BadUsageExitsWithTwo)
{
    EXPECT_EQ(run({}), kBadUsage);
    EXPECT_NE(err.str().find("usage: pixmosa-cli"), std::string::npos);
    EXPECT_EQ(run({"frobnicate"}), kBadUsage);
    EXPECT_EQ(run({"get"}), kBadUsage);
    EXPECT_EQ(run({"get", "NoSuchSetting"}), kBadUsage);
    EXPECT_EQ(run({"get", "Gallery Header"}), kBadUsage);
    EXPECT_EQ(run({"set", "Sorted", "yes"}), kBadUsage);
    EXPECT_EQ(run({"set", "TableBackColor", "red"}), kBadUsage);
    EXPECT_EQ(run({"set", "Top", "99999999999"}), kBadUsage);
    EXPECT_EQ(dir.entryCount(), 0);

    EXPECT_EQ(run({"--help"}), kSuccess);
    EXPECT_NE(out.str().find("banks add NAME"), std::string::npos);
}

TEST_F(CommandLineTest, TextSetStoresTheLinesOfStandardInputAndTextGetPrintsThemAsLoaded)
{
    EXPECT_EQ(run({"text", "set", "Gallery Header"}, "<H1>Hi</H1>\n\nend\n"), kSuccess);
    EXPECT_EQ(dir.read("Pixmosa.dat"),
              "[Gallery Header]\r\n<H1>Hi</H1>\r\n\r\nend\r\n\r\n####\r\n");

    EXPECT_EQ(run({"text", "get", "gallery header"}), kSuccess);
    EXPECT_EQ(out.str(), "<H1>Hi</H1>\r\n\r\nend\r\n");
}

TEST_F(CommandLineTest, BanksAreAddedListedAndDeleted)
{
    EXPECT_EQ(run({"banks", "add", "Spring"}), kSuccess);
    EXPECT_EQ(run({"banks", "add", "Autumn"}), kSuccess);
    EXPECT_EQ(run({"banks", "add", "SPRING"}), kFailure);
    EXPECT_EQ(err.str(), "The name already exists. Please select a new one.\n");
    EXPECT_EQ(run({"banks", "add", "Index Footer"}), kFailure);

    EXPECT_EQ(run({"banks", "list"}), kSuccess);
    EXPECT_EQ(out.str(), "Spring\nAutumn\n");

    EXPECT_EQ(run({"banks", "delete", "spring"}), kSuccess);
    EXPECT_EQ(run({"banks", "delete", "Winter"}), kFailure);
    EXPECT_EQ(err.str(), "There is no banner bank named 'Winter'.\n");
    EXPECT_EQ(run({"banks", "list"}), kSuccess);
    EXPECT_EQ(out.str(), "Autumn\n");
}

TEST_F(CommandLineTest, StoreThatCannotBeWrittenIsAnError)
{
    dir.write("file", "");
    std::istringstream in("x\n");
    Context context{registry, dir.path("file") + "/Pixmosa.dat", in, out, err};

    EXPECT_EQ(runCommandLine({"text", "set", "A"}, context), kFailure);
    EXPECT_NE(err.str().find("Not a directory"), std::string::npos);
}

}  // namespace
}  // namespace pixmosa::cli
