#include "generator/page_plan.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

TEST(PagePlanTest, PagesAreTheImagesPerPageRoundedUp)
{
    EXPECT_EQ(computePagesRequired(12, 2, 5).pageCount, 2);
    EXPECT_EQ(computePagesRequired(10, 2, 5).pageCount, 1);
    EXPECT_EQ(computePagesRequired(11, 2, 5).pageCount, 2);
    EXPECT_EQ(computePagesRequired(21, 2, 5).pageCount, 3);
    EXPECT_EQ(computePagesRequired(23, 4, 5).pageCount, 2);
    EXPECT_EQ(computePagesRequired(0, 2, 5).pageCount, 0);
    EXPECT_FALSE(computePagesRequired(12, 2, 5).message);
}

TEST(PagePlanTest, ZeroRowsOrColumnsGiveTheMessageAndNoPages)
{
    const PagesRequired pages = computePagesRequired(12, 0, 5);
    EXPECT_EQ(pages.pageCount, 0);
    EXPECT_EQ(pages.message, "You cannot have zero rows or zero columns");
    EXPECT_EQ(computePagesRequired(3, 4, 0).message, "You cannot have zero rows or zero columns");
}

TEST(PagePlanTest, NegativeProductGivesNoPages)
{
    EXPECT_LE(computePagesRequired(5, -2, 1).pageCount, 0);
    EXPECT_FALSE(computePagesRequired(5, -2, 1).message);
}

TEST(PagePlanTest, DisplayTextHasTwoBlanksAndNoneAfterTheColons)
{
    EXPECT_EQ(pagesRequiredText(12, 2), "Images:12  Pages:2");
    EXPECT_EQ(pagesRequiredText(0, 0), "Images:0  Pages:0");
}

}  // namespace
}  // namespace pixmosa
