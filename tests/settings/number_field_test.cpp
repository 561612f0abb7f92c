#include "settings/number_field.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

TEST(NumberFieldTest, NumbersAreClampedToTheNearerLimit)
{
    const FieldInfo& thumbSize = settingsField(Field::ThumbSize);
    const FieldInfo& rows = settingsField(Field::Rows);

    EXPECT_EQ(clampToLimits(thumbSize, 1000), 400);
    EXPECT_EQ(clampToLimits(rows, 0), 1);
    EXPECT_EQ(clampToLimits(rows, 100), 100);
    EXPECT_EQ(clampToLimits(rows, 1), 1);
}

TEST(NumberFieldTest, LeavingAFieldClampsAndShowsTheClampedValue)
{
    const NumberEntry entry = numberFromText(settingsField(Field::ThumbSize), "500");
    EXPECT_EQ(entry.value, 400);
    EXPECT_TRUE(entry.showClamped);

    const NumberEntry inside = numberFromText(settingsField(Field::ThumbSize), " 120 ");
    EXPECT_EQ(inside.value, 120);
    EXPECT_FALSE(inside.showClamped);
}

TEST(NumberFieldTest, TextThatIsNotAWholeNumberReadsAsTheMinimumAndShowsIt)
{
    for (const char* text : {"", "-", "abc", "1.5", "12a", "1 2"}) {
        const NumberEntry spacing = numberFromText(settingsField(Field::CellSpacing), text);
        EXPECT_EQ(spacing.value, 0) << text;
        EXPECT_TRUE(spacing.showClamped) << text;
        EXPECT_EQ(numberFromText(settingsField(Field::Rows), text).value, 1) << text;
    }
}

TEST(NumberFieldTest, NumbersBeyondThirtyTwoBitsReadAsTheMinimumLikeAnyOtherText)
{
    for (const char* text :
         {"99999999999999999999", "-99999999999999999999", "2147483648", "-2147483649"}) {
        const NumberEntry cols = numberFromText(settingsField(Field::Cols), text);
        EXPECT_EQ(cols.value, 1) << text;
        EXPECT_TRUE(cols.showClamped) << text;
        EXPECT_EQ(parseWholeNumber(text), std::nullopt) << text;
    }
    EXPECT_EQ(numberFromText(settingsField(Field::Cols), "2147483647").value, 100);
    EXPECT_EQ(parseWholeNumber("+42"), 42);
    EXPECT_EQ(parseWholeNumber("-2147483648"), -2147483648LL);
}

}  // namespace
}  // namespace pixmosa
