#include "thumbs/jpeg_header.h"

#include <gtest/gtest.h>

#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

TEST(JpegHeaderTest, SizeComesFromTheFrameHeader)
{
    const TempDir dir;
    dir.write("a.jpg", test::encodeJpeg(test::patternImage(123, 45), test::Encoding::Progressive));

    const Result<ImageSize> size = readJpegSize(dir.path("a.jpg"));

    ASSERT_TRUE(size.ok()) << size.message();
    EXPECT_EQ(*size, (ImageSize{123, 45}));
}

TEST(JpegHeaderTest, FilesThatAreNotJpegsGiveTheirErrors)
{
    const TempDir dir;
    dir.write("empty.jpg", "");

    EXPECT_EQ(readJpegSize(dir.path("missing.jpg")).message(),
              "Cannot open file " + dir.path("missing.jpg"));
    EXPECT_EQ(readJpegSize(dir.path("empty.jpg")).message().rfind("JPEG error #", 0), 0u);
}

}  // namespace
}  // namespace pixmosa
