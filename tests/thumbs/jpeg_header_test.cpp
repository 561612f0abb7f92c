#include "thumbs/jpeg_header.h"

#include <gtest/gtest.h>

#include "support/file_setup.h"
#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

TEST(JpegHeaderTest, SizeComesFromTheFrameHeader)
{
    const TempDir dir;
    dir.write("a.jpg", test::encodeJpeg(test::patternImage(123, 45), test::Encoding::Progressive));

    const Result<JpegFrame> frame = readJpegFrame(dir.path("a.jpg"));

    ASSERT_TRUE(frame.ok()) << frame.message();
    EXPECT_EQ(frame->stored, (ImageSize{123, 45}));
    EXPECT_EQ(frame->orientation, Orientation::Upright);
    EXPECT_EQ(frame->upright(), (ImageSize{123, 45}));
}

TEST(JpegHeaderTest, TurnedPhotosStandUprightWithTheirSidesExchanged)
{
    const TempDir dir;
    const test::TestImage image = test::patternImage(40, 30);
    for (const int orientation : {2, 3, 4, 5, 6, 7, 8}) {
        dir.write("a.jpg", test::encodeJpegWithOrientation(image, orientation));

        const Result<JpegFrame> frame = readJpegFrame(dir.path("a.jpg"));

        ASSERT_TRUE(frame.ok()) << frame.message();
        EXPECT_EQ(static_cast<int>(frame->orientation), orientation);
        EXPECT_EQ(frame->stored, (ImageSize{40, 30}));
        const ImageSize upright = orientation >= 5 ? ImageSize{30, 40} : ImageSize{40, 30};
        EXPECT_EQ(frame->upright(), upright) << orientation;
    }
}

TEST(JpegHeaderTest, MissingDamagedOrUnknownOrientationsCountAsUpright)
{
    const TempDir dir;
    const std::string plain = test::encodeJpeg(test::patternImage(40, 30));
    const std::string intel = test::exifOrientationSegment(6);
    std::string wrongType = intel;
    wrongType[6 + 8 + 2 + 2] = 4;  // the entry's type: LONG instead of SHORT
    const std::pair<std::string, std::string> cases[] = {
        {"big-endian 6", test::exifOrientationSegment(6, true)},
        {"out of range 0", test::exifOrientationSegment(0)},
        {"out of range 9", test::exifOrientationSegment(9)},
        {"cut inside the entry", intel.substr(0, 20)},
        {"IFD beyond the data", intel.substr(0, 10) + "\xFF\xFF\xFF\x7F" + intel.substr(14)},
        {"not a TIFF header", std::string("Exif\0\0XX*\0", 10) + intel.substr(10)},
        {"wrong type", wrongType},
        {"no Exif header", "http://ns.adobe.com/xap/1.0/" + intel.substr(6)},
    };
    for (const auto& [name, segment] : cases) {
        dir.write("a.jpg", test::withApp1Segment(plain, segment));

        const Result<JpegFrame> frame = readJpegFrame(dir.path("a.jpg"));

        ASSERT_TRUE(frame.ok()) << name << ": " << frame.message();
        const Orientation expected =
            name == "big-endian 6" ? Orientation::TurnClockwise : Orientation::Upright;
        EXPECT_EQ(frame->orientation, expected) << name;
    }
}

TEST(JpegHeaderTest, FilesThatAreNotJpegsGiveTheirErrors)
{
    const TempDir dir;
    dir.write("empty.jpg", "");

    EXPECT_EQ(readJpegFrame(dir.path("missing.jpg")).message(),
              "Cannot open file " + dir.path("missing.jpg") + ": " +
                  test::reasonFor(test::Failure::NoSuchFile));
    EXPECT_EQ(readJpegFrame(dir.path("empty.jpg")).message(),
              "JPEG error #42 in " + dir.path("empty.jpg") + ": Empty input file");
}

}  // namespace
}  // namespace pixmosa
