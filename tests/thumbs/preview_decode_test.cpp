#include "thumbs/preview_decode.h"

#include <gtest/gtest.h>

#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

// The DCT reduces each side as far as the picture still covers the box, so a large photo is
// decoded at an eighth of its sides for a small box, and a turned one comes upright.
TEST(PreviewDecodeTest, PhotoIsDecodedAtTheSmallestScaleThatStillFillsTheBox)
{
    const TempDir dir;
    dir.write("wide.jpg", test::encodeJpeg(test::patternImage(1600, 1200)));
    dir.write("turned.jpg", test::encodeJpegWithOrientation(test::patternImage(640, 480), 6));

    const struct {
        const char* name;
        std::uint32_t boxWidth, boxHeight, width, height;
    } cases[] = {
        {"wide.jpg", 125, 94, 200, 150},     // 1/8
        {"wide.jpg", 400, 300, 400, 300},    // 1/4
        {"wide.jpg", 401, 300, 800, 600},    // 1/2: a quarter would be a pixel short
        {"wide.jpg", 900, 700, 1600, 1200},  // whole
        {"turned.jpg", 104, 78, 120, 160},   // stored 640 x 480 at 1/4, then stood upright
    };
    for (const auto& c : cases) {
        const Result<Raster> raster = decodePreview(dir.path(c.name), c.boxWidth, c.boxHeight);
        ASSERT_TRUE(raster.ok()) << raster.message();
        EXPECT_EQ(raster->width, c.width) << c.name << " " << c.boxWidth;
        EXPECT_EQ(raster->height, c.height) << c.name << " " << c.boxWidth;
        EXPECT_EQ(raster->pixels.size(), std::size_t{c.width} * c.height * 3);
    }
}

// A preview no longer wanted (the window closes) ends at the decoder's next row.
TEST(PreviewDecodeTest, DecodeAskedToStopEndsWithoutAPicture)
{
    const TempDir dir;
    dir.write("large.jpg", test::encodeJpeg(test::patternImage(1600, 1200)));
    const std::atomic<bool> stop{true};
    EXPECT_EQ(decodePreview(dir.path("large.jpg"), 100, 75, &stop).message(),
              "JPEG error in " + dir.path("large.jpg") + ": stopped");
}

TEST(PreviewDecodeTest, DataThatIsNoPictureFailsWithTheDecodersMessage)
{
    const TempDir dir;
    dir.write("text.jpg", "no picture");

    const Result<Raster> raster = decodePreview(dir.path("text.jpg"), 100, 100);

    EXPECT_EQ(raster.message().rfind("JPEG error #", 0), 0u) << raster.message();
}

}  // namespace
}  // namespace pixmosa
