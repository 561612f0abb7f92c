#include "catalogue/preview_fit.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

constexpr PreviewBox kList{0, 16, 125, 177};
constexpr PreviewBox kInitial{0, 196, 125, 104};

TEST(PreviewFitTest, FirstPictureFitsTheInitialFrame)
{
    EXPECT_EQ(fitPreview(kInitial, kList, 1600, 1200), (PreviewBox{0, 196, 125, 94}));
    EXPECT_EQ(fitPreview(kInitial, kList, 1200, 1600), (PreviewBox{24, 196, 78, 104}));
}

TEST(PreviewFitTest, AlternatingPicturesShrinkTheBox)
{
    const std::optional<PreviewBox> wide = fitPreview(kInitial, kList, 1600, 1200);
    ASSERT_TRUE(wide);
    const std::optional<PreviewBox> upright = fitPreview(*wide, kList, 1200, 1600);
    ASSERT_TRUE(upright);
    EXPECT_EQ(*upright, (PreviewBox{28, 196, 70, 94}));
    EXPECT_EQ(fitPreview(*upright, kList, 1600, 1200), (PreviewBox{28, 196, 70, 52}));
}

TEST(PreviewFitTest, SquarePictureKeepsTheWidth)
{
    EXPECT_EQ(fitPreview(kInitial, kList, 500, 500), (PreviewBox{0, 196, 125, 125}));
}

TEST(PreviewFitTest, PictureWithoutASizeShowsNothingAndKeepsTheFrame)
{
    EXPECT_EQ(fitPreview(kInitial, kList, 0, 0), std::nullopt);
    EXPECT_EQ(fitPreview(kInitial, kList, 0, 10), std::nullopt);
}

}  // namespace
}  // namespace pixmosa
