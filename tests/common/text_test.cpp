#include "common/text.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

using Lines = std::vector<std::string>;

TEST(TextTest, SplitLinesEndsALineAtCrLfOrCrLfAndMakesNoLineOfTheRest)
{
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(splitLines("\n"), (Lines{""}));
    EXPECT_EQ(splitLines(""), Lines{});
}

TEST(TextTest, FileLinesEndAtLfOnlyAndDropTheCrBeforeIt)
{
    EXPECT_EQ(splitFileLines("a\r\nb\rc\nlast"), (Lines{"a", "b\rc", "last"}));
    EXPECT_EQ(splitFileLines("a\n\n"), (Lines{"a", ""}));
}

TEST(TextTest, JoinedLinesLoadBackAsTheSameLines)
{
    const Lines lines{"one", "", "three"};
    EXPECT_EQ(joinLinesCrLf(lines), "one\r\n\r\nthree\r\n");
    EXPECT_EQ(splitLines(joinLinesCrLf(lines)), lines);
}

TEST(TextTest, TrimRemovesBlanksAndControlCharactersOnly)
{
    EXPECT_EQ(trimControlAndBlank(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(trimControlAndBlank("\xC3\xA9"), "\xC3\xA9");
    EXPECT_EQ(trimControlAndBlank("   "), "");
}

TEST(TextTest, CaseFoldingTouchesAsciiLettersOnly)
{
    EXPECT_EQ(asciiLower("ABC xyz [\xC3\x89]"), "abc xyz [\xC3\x89]");
    EXPECT_TRUE(equalsIgnoringAsciiCase("Gallery Header", "gALLERY hEADER"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("Gallery", "Gallery "));
    EXPECT_TRUE(startsWithIgnoringAsciiCase("[Index Header] x", "[index header]"));
    EXPECT_FALSE(startsWithIgnoringAsciiCase("[Index", "[index header]"));
}

TEST(TextTest, MessagePatternTakesTheName)
{
    EXPECT_EQ(formatWithName("Invalid data type for '%s'", "Rows"), "Invalid data type for 'Rows'");
}

}  // namespace
}  // namespace pixmosa
