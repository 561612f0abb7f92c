#include "settings/text_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text.h"
#include "support/child_processes.h"
#include "support/file_setup.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

class TextStoreTest : public ::testing::Test {
protected:
    std::string store() const { return dir.path("Pixmosa.dat"); }
    std::string content() const { return dir.read("Pixmosa.dat"); }
    void save(std::string_view section, const std::vector<std::string>& lines) const
    {
        ASSERT_TRUE(SaveText(store(), section, lines).ok());
    }
    std::string load(std::string_view section) const
    {
        const Result<std::string> text = LoadText(store(), section);
        EXPECT_TRUE(text.ok()) << text.message();
        return text.ok() ? *text : std::string();
    }

    TempDir dir;
};

TEST_F(TextStoreTest, FirstSaveCreatesTheFileAndLaterSectionsFollowOneEmptyLine)
{
    save("Gallery Header", {"Hello"});
    save("Header Code", {});

    EXPECT_EQ(content(),
              "[Gallery Header]\r\nHello\r\n\r\n####\r\n"
              "\r\n[Header Code]\r\n\r\n####\r\n");
}

TEST_F(TextStoreTest, LoadGivesEveryLineFollowedByCrLf)
{
    save("S", {"a", "b"});

    EXPECT_EQ(content(), "[S]\r\na\r\nb\r\n\r\n####\r\n");
    EXPECT_EQ(load("S"), "a\r\nb\r\n");
}

TEST_F(TextStoreTest, EmptyListLoadsAsEmptyText)
{
    save("S", {});
    EXPECT_EQ(load("S"), "");
}

TEST_F(TextStoreTest, MissingFileOrSectionLoadsAsEmptyText)
{
    EXPECT_EQ(load("Gallery Header"), "");
    save("Gallery Header", {"x"});
    EXPECT_EQ(load("Index Footer"), "");
}

TEST_F(TextStoreTest, SectionNamesMatchWithoutRegardToAsciiCaseAndKeepTheirHeader)
{
    save("Gallery Header", {"old"});
    save("Gallery Footer", {"foot"});

    save("gallery header", {"new", "lines"});

    EXPECT_EQ(content(),
              "[Gallery Header]\r\nnew\r\nlines\r\n\r\n####\r\n"
              "\r\n[Gallery Footer]\r\nfoot\r\n\r\n####\r\n");
    EXPECT_EQ(load("GALLERY HEADER"), "new\r\nlines\r\n");
}

TEST_F(TextStoreTest, OnlyAsciiLettersAreFolded)
{
    save("\xC3\x89t\xC3\xA9", {"summer"});  // "Été"
    EXPECT_EQ(load("\xC3\xA9T\xC3\xA9"), "");
    EXPECT_EQ(load("\xC3\x89T\xC3\xA9"), "summer\r\n");
}

TEST_F(TextStoreTest, HeaderWithTextAfterTheBracketStillOpensItsSection)
{
    dir.write("Pixmosa.dat", "[Index Header] kept\r\nold\r\n\r\n####\r\n");

    EXPECT_EQ(load("Index Header"), "old\r\n");
    save("Index Header", {"new"});
    EXPECT_EQ(content(), "[Index Header] kept\r\nnew\r\n\r\n####\r\n");
}

// A store written by hand, or by a program that stored lines as they came.
TEST_F(TextStoreTest, InnerEndLineEndsTheTextAndItsRestStaysOutsideAnySection)
{
    dir.write("Pixmosa.dat", "[S]\r\none\r\n####\r\ntwo\r\n\r\n####\r\n");
    // The body was cut short before its empty line, so nothing follows the last line.
    EXPECT_EQ(load("S"), "one");

    save("S", {"fresh"});

    EXPECT_EQ(content(), "[S]\r\nfresh\r\n\r\n####\r\ntwo\r\n\r\n####\r\n");
    EXPECT_EQ(load("S"), "fresh\r\n");
}

TEST_F(TextStoreTest, BodyLineThatLooksLikeAHeaderIsFoundFirst)
{
    dir.write("Pixmosa.dat", "[A]\r\n[B] not really\r\n\r\n####\r\n");
    save("B", {"real"});

    EXPECT_EQ(content(), "[A]\r\n[B] not really\r\nreal\r\n\r\n####\r\n");
    EXPECT_EQ(load("B"), "real\r\n");
    EXPECT_EQ(load("A"), "[B] not really\r\nreal\r\n");
}

// Lines that would read as structure are kept behind a backslash, so every text reads back
// exactly and no other section is touched; a text without such lines is stored as before.
TEST_F(TextStoreTest, TextsThatLookLikeStructureReadBackExactly)
{
    const std::vector<std::string> tricky{
        "[Gallery Footer]", "####", "\\####", "\\[x] y", "\\\\", "[", "#### ", "plain"};
    save("Gallery Footer", {"foot"});
    save("Gallery Header", tricky);
    save("Banner Banks", {"[Spring]", "Summer"});

    EXPECT_EQ(load("Gallery Header"), joinLinesCrLf(tricky));
    EXPECT_EQ(load("Gallery Footer"), "foot\r\n");
    EXPECT_EQ(load("Banner Banks"), "[Spring]\r\nSummer\r\n");
    EXPECT_EQ(load("Spring"), "");
    EXPECT_EQ(content(),
              "[Gallery Footer]\r\nfoot\r\n\r\n####\r\n"
              "\r\n[Gallery Header]\r\n\\[Gallery Footer]\r\n\\####\r\n\\\\####\r\n"
              "\\\\[x] y\r\n\\\\\r\n[\r\n#### \r\nplain\r\n\r\n####\r\n"
              "\r\n[Banner Banks]\r\n\\[Spring]\r\nSummer\r\n\r\n####\r\n");

    // Saving the same text again leaves the file as it is, escapes and all.
    const std::string before = content();
    save("Gallery Header", tricky);
    EXPECT_EQ(content(), before);
}

TEST_F(TextStoreTest, SectionNameThatWouldBreakTheFileIsRefused)
{
    for (const char* name : {"", "A]B", "A\nB"}) {
        EXPECT_FALSE(SaveText(store(), name, {"x"}).ok()) << name;
    }
    EXPECT_EQ(dir.entryCount(), 0);
}

TEST_F(TextStoreTest, AppendingLeavesEveryOtherLineUntouched)
{
    dir.write("Pixmosa.dat", "stray line\r\n[A]\r\na\r\n\r\n####\r\ntrailing\r\n");

    save("B", {"b"});

    EXPECT_EQ(content(),
              "stray line\r\n[A]\r\na\r\n\r\n####\r\ntrailing\r\n"
              "\r\n[B]\r\nb\r\n\r\n####\r\n");
}

TEST_F(TextStoreTest, LinesOutsideSectionsSurviveARewrite)
{
    dir.write("Pixmosa.dat", "note\r\n[A]\r\na\r\n\r\n####\r\nafter\r\n");

    save("A", {"changed"});

    EXPECT_EQ(content(), "note\r\n[A]\r\nchanged\r\n\r\n####\r\nafter\r\n");
}

TEST_F(TextStoreTest, DeleteRemovesTheSectionButNotTheEmptyLineBeforeIt)
{
    save("A", {"a"});
    save("B", {"b"});
    save("C", {"c"});

    ASSERT_TRUE(DeleteText(store(), "b").ok());

    EXPECT_EQ(content(), "[A]\r\na\r\n\r\n####\r\n\r\n\r\n[C]\r\nc\r\n\r\n####\r\n");
    EXPECT_EQ(load("B"), "");
    EXPECT_EQ(load("C"), "c\r\n");
}

TEST_F(TextStoreTest, DeletingAMissingSectionKeepsTheLinesAndAMissingFileStaysMissing)
{
    ASSERT_TRUE(DeleteText(store(), "A").ok());
    EXPECT_FALSE(dir.exists("Pixmosa.dat"));

    save("A", {"a"});
    const std::string before = content();
    ASSERT_TRUE(DeleteText(store(), "Z").ok());
    EXPECT_EQ(content(), before);
}

TEST_F(TextStoreTest, LinesEndingInLfAloneAreReadAndWrittenBackWithCrLf)
{
    dir.write("Pixmosa.dat", "[A]\na\n\n####\n");

    EXPECT_EQ(load("A"), "a\r\n");
    save("A", {"b"});
    EXPECT_EQ(content(), "[A]\r\nb\r\n\r\n####\r\n");
}

TEST_F(TextStoreTest, LineBreaksInsideAHandedLineBecomeLinesOfTheirOwn)
{
    save("A", {"one\r\ntwo", "three"});
    EXPECT_EQ(load("A"), "one\r\ntwo\r\nthree\r\n");
}

TEST_F(TextStoreTest, RewritesLeaveNoTemporaryFileBehind)
{
    save("A", {"a"});
    save("A", {"b"});
    save("B", {"c"});
    ASSERT_TRUE(DeleteText(store(), "A").ok());

    EXPECT_EQ(dir.entryCount(), 1);
}

TEST_F(TextStoreTest, ReadOnlyStoreIsLeftUnchangedWithAClearError)
{
    save("A", {"a"});
    const std::string before = content();
    ASSERT_TRUE(test::makeReadOnly(store()));

    const Status saved = SaveText(store(), "A", {"changed"});
    const Status appended = SaveText(store(), "B", {"new"});
    const Status deleted = DeleteText(store(), "A");

    for (const Status* status : {&saved, &appended, &deleted}) {
        ASSERT_FALSE(status->ok());
        EXPECT_EQ(status->message(),
                  store() + ": " + test::reasonFor(test::Failure::PermissionDenied));
    }
    EXPECT_EQ(content(), before);
    EXPECT_EQ(dir.entryCount(), 1);
    EXPECT_EQ(load("A"), "a\r\n");
}

TEST_F(TextStoreTest, StoreThatCannotBeCreatedGivesThePlatformReason)
{
    dir.write("file", "");
    const std::string impossible = dir.path("file/Pixmosa.dat");

    const Status saved = SaveText(impossible, "A", {"a"});

    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find(test::reasonFor(test::Failure::NotADirectory)),
              std::string::npos)
        << saved.message();
}

// Two running copies save their own sections from the very first save on; a lost update
// would drop some of them.
TEST_F(TextStoreTest, ConcurrentSavesKeepEachOthersSections)
{
    constexpr int kWriters = 2;
    constexpr int kSectionsEach = 30;
    EXPECT_TRUE(test::succeedInChildren(kWriters, [&](int writer) {
        bool ok = true;
        for (int i = 0; i < kSectionsEach; ++i) {
            const std::string name = std::string("W")
                                         .append(std::to_string(writer))
                                         .append("-")
                                         .append(std::to_string(i));
            ok = SaveText(store(), name, {name}).ok() && ok;
        }
        return ok;
    }));

    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kSectionsEach; ++i) {
            const std::string name = std::string("W")
                                         .append(std::to_string(writer))
                                         .append("-")
                                         .append(std::to_string(i));
            EXPECT_EQ(load(name), name + "\r\n");
        }
    }
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST_F(TextStoreTest, FirstSaveCreatesMissingDirectories)
{
    const std::string nested = dir.path("data/pixmosa/Pixmosa.dat");

    ASSERT_TRUE(SaveText(nested, "A", {"a"}).ok());

    EXPECT_EQ(dir.read("data/pixmosa/Pixmosa.dat"), "[A]\r\na\r\n\r\n####\r\n");
}

TEST_F(TextStoreTest, StoreThatIsADirectoryIsReportedNotOverwritten)
{
    ASSERT_TRUE(test::makeDirectory(store()));

    EXPECT_FALSE(SaveText(store(), "A", {"a"}).ok());
    EXPECT_TRUE(std::filesystem::is_empty(store()));
}

// A store the user keeps elsewhere through a link (a synced folder) stays linked.
TEST_F(TextStoreTest, StoreThatIsASymbolicLinkIsFollowedAndTheLinkStays)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("synced")));
    if (!test::makeSymbolicLink("synced/Pixmosa.dat", store())) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }

    save("A", {"first"});
    save("A", {"second"});
    ASSERT_TRUE(DeleteText(store(), "B").ok());

    EXPECT_TRUE(test::isSymbolicLinkOnDisk(store()));
    EXPECT_EQ(dir.read("synced/Pixmosa.dat"), "[A]\r\nsecond\r\n\r\n####\r\n");
}

}  // namespace
}  // namespace pixmosa
