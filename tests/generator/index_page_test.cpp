#include "generator/index_page.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

TEST(IndexPageTest, LayoutFollowsTheNumberOfPages)
{
    const struct {
        std::int64_t pages, cols, rows, height;
    } cases[] = {
        {0, 5, 0, 50},  {1, 5, 1, 50},  {12, 5, 3, 50}, {15, 5, 4, 50},
        {20, 5, 4, 50}, {21, 6, 4, 50}, {30, 6, 6, 40}, {35, 7, 6, 40},
        {42, 7, 6, 40}, {43, 8, 6, 40}, {60, 8, 8, 35},
    };
    for (const auto& c : cases) {
        const IndexLayout layout = indexLayout(c.pages);
        EXPECT_EQ(layout.linkCols, c.cols) << c.pages;
        EXPECT_EQ(layout.linkRows, c.rows) << c.pages;
        EXPECT_EQ(layout.linkThumbHeight, c.height) << c.pages;
    }
}

TEST(IndexPageTest, TimeSeededDrawStaysWithinThePage)
{
    TimeSeededDraw draw;
    for (int i = 0; i < 200; ++i) {
        const std::int64_t picked = draw.draw(10);
        EXPECT_GE(picked, 0);
        EXPECT_LE(picked, 9);
    }
    EXPECT_EQ(draw.draw(1), 0);
}

}  // namespace
}  // namespace pixmosa
