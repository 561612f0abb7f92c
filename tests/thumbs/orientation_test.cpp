#include "thumbs/orientation.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

// A 3 x 2 raster whose pixels are numbered 1 to 6 in reading order (all three channels alike):
//   1 2 3
//   4 5 6
Raster numbered()
{
    Raster raster{3, 2, {}};
    for (unsigned char n = 1; n <= 6; ++n) {
        raster.pixels.insert(raster.pixels.end(), {n, n, n});
    }
    return raster;
}

// The pixel numbers of a raster in reading order, checking that each pixel's channels agree.
std::vector<int> numbers(const Raster& raster)
{
    std::vector<int> values;
    for (std::size_t i = 0; i < raster.pixels.size(); i += 3) {
        EXPECT_EQ(raster.pixels[i], raster.pixels[i + 1]);
        EXPECT_EQ(raster.pixels[i], raster.pixels[i + 2]);
        values.push_back(raster.pixels[i]);
    }
    return values;
}

TEST(OrientationTest, EachOrientationTurnsTheRasterUpright)
{
    struct Case {
        Orientation orientation;
        std::uint32_t width;
        std::uint32_t height;
        std::vector<int> pixels;
    };
    const Case cases[] = {
        {Orientation::Upright, 3, 2, {1, 2, 3, 4, 5, 6}},
        {Orientation::MirrorLeftRight, 3, 2, {3, 2, 1, 6, 5, 4}},
        {Orientation::Turn180, 3, 2, {6, 5, 4, 3, 2, 1}},
        {Orientation::MirrorTopBottom, 3, 2, {4, 5, 6, 1, 2, 3}},
        {Orientation::Transpose, 2, 3, {1, 4, 2, 5, 3, 6}},
        {Orientation::TurnClockwise, 2, 3, {4, 1, 5, 2, 6, 3}},
        {Orientation::Transverse, 2, 3, {6, 3, 5, 2, 4, 1}},
        {Orientation::TurnCounterClockwise, 2, 3, {3, 6, 2, 5, 1, 4}},
    };
    for (const Case& c : cases) {
        const Raster upright = turnUpright(numbered(), c.orientation);

        const int tag = static_cast<int>(c.orientation);
        EXPECT_EQ(upright.width, c.width) << tag;
        EXPECT_EQ(upright.height, c.height) << tag;
        EXPECT_EQ(numbers(upright), c.pixels) << tag;
        EXPECT_EQ(uprightSize({3, 2}, c.orientation), (ImageSize{c.width, c.height})) << tag;
    }
}

TEST(OrientationTest, AnEmptyRasterStaysEmpty)
{
    const Raster upright = turnUpright(Raster{0, 5, {}}, Orientation::TurnClockwise);

    EXPECT_EQ(upright.width, 5u);
    EXPECT_EQ(upright.height, 0u);
    EXPECT_TRUE(upright.pixels.empty());
}

}  // namespace
}  // namespace pixmosa
