#include "cli/command_line.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <sstream>

#include "platform/registry_file.h"
#include "settings/store.h"
#include "support/child_processes.h"
#include "support/file_setup.h"
#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"

namespace pixmosa::cli {
namespace {

using test::TempDir;

std::string usageText()
{
    std::ostringstream usage;
    printUsage(usage);
    return usage.str();
}

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
    EXPECT_EQ(run({"set", "CellSpacing", "-4"}), kSuccess);
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
    EXPECT_EQ(run({"--jobs", "0", "scan"}), kBadUsage);
    EXPECT_EQ(err.str(),
              "pixmosa-cli: --jobs takes a whole number from 1 to 256, not '0'\n" + usageText());
    EXPECT_EQ(run({"--jobs", "many", "scan"}), kBadUsage);
    EXPECT_EQ(run({"--memory-limit", "99999999999999999", "scan"}), kBadUsage);
    EXPECT_EQ(err.str().rfind("pixmosa-cli: --memory-limit takes a whole number of mebibytes "
                              "from 1 to 1099511627776, not '99999999999999999'\n",
                              0),
              0u);
    EXPECT_EQ(run({"set", "Rows", "abc"}), kBadUsage);
    EXPECT_EQ(err.str(), "Rows takes a 32-bit whole number\n" + usageText());
    EXPECT_EQ(dir.entryCount(), 0);

    EXPECT_EQ(run({"--help"}), kSuccess);
    EXPECT_NE(out.str().find("  banks list | add NAME | delete NAME\n"), std::string::npos);
    EXPECT_EQ(run({"gallery", "--open", "--bogus"}), kBadUsage);
    EXPECT_EQ(run({"thumbnails", "--refresh"}), kBadUsage);
    EXPECT_EQ(run({"frobnicate", "--help"}), kBadUsage);
}

TEST_F(CommandLineTest, VersionAndTheHelpOfEachCommand)
{
    EXPECT_EQ(run({"--version"}), kSuccess);
    EXPECT_EQ(out.str(), "pixmosa-cli 0.1.0\n");
    for (const char* command :
         {"gallery", "scan", "thumbnails", "rename", "get", "set", "text", "banks"}) {
        out.str("");
        EXPECT_EQ(run({command, "--help"}), kSuccess) << command;
        EXPECT_EQ(out.str().rfind(std::string("usage: pixmosa-cli [--image-dir DIR] [--jobs N] "
                                              "[--memory-limit MIB] ") +
                                      command,
                                  0),
                  0u)
            << out.str();
    }
    EXPECT_NE(out.str().find("banks list | add NAME | delete NAME\n\n    list, add or delete"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(dir.entryCount(), 0);
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
    EXPECT_NE(err.str().find(test::reasonFor(test::Failure::NotADirectory)), std::string::npos)
        << err.str();
}

TEST_F(CommandLineTest, ScanListsTheImagesThenThePagesRequired)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    for (const char* name : {"b.jpg", "A.JPG", "c.jpeg"}) {
        dir.write(std::string("pics/") + name, "");
    }
    ASSERT_TRUE(WriteStoreBool(registry, kSettingsKey, "Sorted", true).ok());
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "Rows", 1).ok());
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "Columns", 1).ok());

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "scan"}), kSuccess);

    EXPECT_EQ(out.str(), "A.JPG\nb.jpg\nImages:2  Pages:2\n");
    EXPECT_EQ(*ReadStoreString(registry, kSettingsKey, "ImageDir", "unset"), "unset");
}

// One entry a line, whatever the names hold, and nothing a terminal would act on.
#ifndef _WIN32
// Only POSIX names can hold bytes that are not UTF-8.
TEST_F(CommandLineTest, ScanPrintsControlBytesOfNamesAsEscapes)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    for (const char* name : {"two\nlines.jpg", "\x1b[2Jclear.jpg", "back\\slash.jpg",
                             "caf\xC3\xA9.jpg", "bad\xFF.jpg", "c1\xC2\x9B.jpg"}) {
        dir.write(std::string("pics/") + name, "");
    }
    ASSERT_TRUE(WriteStoreBool(registry, kSettingsKey, "Sorted", true).ok());

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "scan"}), kSuccess);

    std::vector<std::string> lines;
    for (std::istringstream listed(out.str()); !listed.eof();) {
        std::string line;
        if (std::getline(listed, line)) {
            lines.push_back(line);
        }
    }
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Images:6  Pages:1", "\\x1b[2Jclear.jpg",
                                        "back\\\\slash.jpg", "bad\\xff.jpg", "c1\\xc2\\x9b.jpg",
                                        "caf\xC3\xA9.jpg", "two\\nlines.jpg"}));
}
#endif

#ifndef _WIN32
TEST_F(CommandLineTest, ImageDirectoryThatCannotBeReadIsAnError)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    dir.write("pics/a.jpg", test::encodeJpeg(test::patternImage(40, 30)));
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(dir.path("pics").c_str(), 0311), 0);
    ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, "ImageDir", dir.path("pics")).ok());
    ASSERT_EQ(::chmod(dir.path("registry.reg").c_str(), 0644), 0);

    for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
             {"scan"}, {"thumbnails"}, {"gallery", "--keep-going"}, {"rename", "x"}}) {
        const test::ChildOutcome outcome = test::runUnprivileged([&] {
            const int code = run(command);
            return std::pair(code, out.str() + err.str());
        });
        EXPECT_EQ(outcome.code, kFailure) << command.front();
        EXPECT_EQ(outcome.text,
                  "Cannot read the image directory " + dir.path("pics") + ": Permission denied\n")
            << command.front();
    }
    ASSERT_EQ(::chmod(dir.path("pics").c_str(), 0755), 0);
    EXPECT_FALSE(dir.exists("pics/Thumbs"));
}
#endif

TEST_F(CommandLineTest, DamageReadPastIsToldOnALineOfItsOwn)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    const std::string whole = test::encodeJpeg(test::patternImage(400, 300));
    dir.write("pics/cut.jpg", whole.substr(0, whole.size() / 2));

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "thumbnails"}), kSuccess);

    EXPECT_EQ(err.str(), "Creating thumbnail 1 of 1\nJPEG warning in " + dir.path("pics/cut.jpg") +
                             ": Premature end of JPEG file\nFinished creating thumbnails\n");
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-cut.jpg"));
}

#ifndef _WIN32
// A FIFO named like a photo would make every command wait forever.
TEST_F(CommandLineTest, NameThatIsNoRegularFileIsLeftOutLikeAnUnreadablePhoto)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    dir.write("pics/a.jpg", test::encodeJpeg(test::patternImage(40, 30)));
    ASSERT_EQ(::mkfifo(dir.path("pics/pipe.jpg").c_str(), 0666), 0);
    ::alarm(30);

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "gallery", "--keep-going"}), kFailure);
    EXPECT_NE(err.str().find("Left out: Cannot open file " + dir.path("pics/pipe.jpg") +
                             ": it is not a regular file\n"),
              std::string::npos)
        << err.str();
    EXPECT_NE(dir.read("pics/index.html").find("Total Images: 1<BR>"), std::string::npos);
    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "thumbnails"}), kFailure);
    ::alarm(0);
}
#endif

TEST_F(CommandLineTest, EveryImageCommandSaysWhenItsDirectoryIsMissingOrNoDirectory)
{
    dir.write("file", "");
    for (const std::string& where : {dir.path("gone"), dir.path("file")}) {
        ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, "ImageDir", where).ok());
        const std::string problem =
            where == dir.path("gone") ? "does not exist" : "is not a directory";
        for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
                 {"scan"}, {"thumbnails"}, {"gallery"}, {"rename", "x"}}) {
            err.str("");
            out.str("");
            EXPECT_EQ(run(command), kFailure) << command.front();
            EXPECT_EQ(err.str(), "The image directory '" + where + "' " + problem + "\n")
                << command.front();
            EXPECT_EQ(out.str(), "") << command.front();
        }
    }
}

TEST_F(CommandLineTest, CommandsStopWhenTheSettingsCannotBeLoaded)
{
    ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, "Rows", "5").ok());

    EXPECT_EQ(run({"scan"}), kFailure);
    EXPECT_EQ(err.str(), "Invalid data type for 'Rows'\n");
}

TEST_F(CommandLineTest, ThumbnailsPrintsProgressAndMakesEveryThumbnail)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    const std::string jpeg = test::encodeJpeg(test::patternImage(40, 30));
    dir.write("pics/a.jpg", jpeg);
    dir.write("pics/b.jpg", jpeg);
    ASSERT_TRUE(WriteStoreBool(registry, kSettingsKey, "Sorted", true).ok());

    EXPECT_EQ(run({"--jobs", "2", "--image-dir", dir.path("pics"), "thumbnails"}), kSuccess);

    EXPECT_EQ(err.str(),
              "Creating thumbnail 1 of 2\nCreating thumbnail 2 of 2\nFinished creating "
              "thumbnails\n");
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-a.jpg"));
    EXPECT_TRUE(dir.exists("pics/Thumbs/Thumb-b.jpg"));
}

TEST_F(CommandLineTest, ThumbnailsWithoutImagesOrDirectoryIsAnError)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "thumbnails"}), kFailure);
    EXPECT_EQ(err.str(), "There are no JPG files in the selected directory\n");

    EXPECT_EQ(run({"--image-dir", dir.path("none"), "thumbnails"}), kFailure);
    EXPECT_EQ(err.str(), "The image directory '" + dir.path("none") + "' does not exist\n");
}

TEST_F(CommandLineTest, GalleryMakesEveryPageAndReportsItsProgress)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    dir.write("pics/a.jpg", test::encodeJpeg(test::patternImage(40, 30)));
    ASSERT_TRUE(run({"banks", "add", "Ads"}) == kSuccess);
    ASSERT_TRUE(run({"text", "set", "Gallery Header"}, "{Ads}\n") == kSuccess);

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "gallery"}), kSuccess);

    EXPECT_EQ(err.str(),
              "Creating thumbnail 1 of 1\nWriting page 1 of 1\nWriting Index Page\nFinished\n");
    EXPECT_TRUE(dir.exists("pics/Gallery1.html"));
    EXPECT_TRUE(dir.exists("pics/a.html"));
    EXPECT_NE(dir.read("pics/index.html").find("Total Images: 1<BR>"), std::string::npos);
    EXPECT_NE(dir.read("pics/Gallery1.html").find("WriteBanner0()"), std::string::npos);
}

TEST_F(CommandLineTest, KeepingGoingNamesEachImageLeftOutAndSumsThemUp)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    dir.write("pics/a.jpg", test::encodeJpeg(test::patternImage(40, 30)));
    dir.write("pics/b.jpg", "broken");
    dir.write("pics/c.jpg", test::encodeJpeg(test::patternImage(30, 40)));
    ASSERT_TRUE(WriteStoreBool(registry, kSettingsKey, "Sorted", true).ok());

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "gallery", "--keep-going"}), kFailure);

    EXPECT_NE(err.str().find("Left out: JPEG error #"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("1 of 3 images were left out:\n  JPEG error #"), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find(" in " + dir.path("pics/b.jpg") + ": "), std::string::npos);
    EXPECT_NE(err.str().find("Finished\n"), std::string::npos);
    EXPECT_NE(dir.read("pics/index.html").find("Total Images: 2<BR>"), std::string::npos);
    EXPECT_FALSE(dir.exists("pics/b.html"));

    err.str("");
    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "thumbnails", "--keep-going"}), kFailure);
    EXPECT_NE(err.str().find("Finished creating thumbnails\n1 of 3 images were left out:\n"),
              std::string::npos)
        << err.str();
}

TEST_F(CommandLineTest, GalleryWithoutImagesIsAnError)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "gallery"}), kFailure);
    EXPECT_EQ(err.str(), "There are no JPG files in the selected directory\n");
    EXPECT_EQ(run({"gallery", "--bogus"}), kBadUsage);
}

TEST_F(CommandLineTest, RenameNumbersTheImagesInListOrder)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("pics")));
    dir.write("pics/b.jpg", "b");
    dir.write("pics/a.JPG", "a");
    dir.write("pics/Trip-2.jpg", "taken");
    ASSERT_TRUE(WriteStoreBool(registry, kSettingsKey, "Sorted", true).ok());

    EXPECT_EQ(run({"--image-dir", dir.path("pics"), "rename", "Trip-"}), kFailure);

    EXPECT_EQ(out.str(), "Trip-1.jpg\nb.jpg\nTrip-3.jpg\nImages:3  Pages:1\n");
    EXPECT_EQ(err.str(), "Cannot rename b.jpg to Trip-2.jpg: " +
                             test::reasonFor(test::Failure::AlreadyExists) + "\n");
    EXPECT_EQ(dir.read("pics/Trip-1.jpg"), "a");
    EXPECT_EQ(dir.read("pics/Trip-3.jpg"), "taken");
}

}  // namespace
}  // namespace pixmosa::cli
