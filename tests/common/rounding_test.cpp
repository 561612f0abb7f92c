#include "common/rounding.h"

#include <gtest/gtest.h>

#include <cfenv>

namespace pixmosa {
namespace {

TEST(RoundingTest, HalfwayGoesToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(62.5), 62);
    EXPECT_EQ(roundHalfEven(63.5), 64);
    EXPECT_EQ(roundHalfEven(23.5), 24);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
}

TEST(RoundingTest, OtherValuesGoToTheNearest)
{
    EXPECT_EQ(roundHalfEven(93.75), 94);
    EXPECT_EQ(roundHalfEven(62.4999), 62);
    EXPECT_EQ(roundHalfEven(-2.6), -3);
    EXPECT_EQ(roundHalfEven(7.0), 7);
}

TEST(RoundingTest, IndependentOfTheProcessorsRoundingMode)
{
    std::fesetround(FE_UPWARD);
    const std::int64_t rounded = roundHalfEven(62.5);
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(rounded, 62);
}

}  // namespace
}  // namespace pixmosa
