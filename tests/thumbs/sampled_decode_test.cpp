#include <gtest/gtest.h>

#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"
#include "thumbs/jpeg_decoder.h"
#include "thumbs/jpeg_source.h"
#include "thumbs/thumbnail_maker.h"

namespace pixmosa {
namespace {

using test::EncodeOptions;
using test::Encoding;
using test::TempDir;
using test::TestImage;

struct Case {
    const char* name;
    TestImage image;
    EncodeOptions options;
    std::uint32_t size;
};

EncodeOptions sampled(int horizontal, int vertical)
{
    EncodeOptions options;
    options.horizontalSampling = horizontal;
    options.verticalSampling = vertical;
    return options;
}

EncodeOptions with(Encoding encoding, int restartRows = 0, bool arithmetic = false)
{
    EncodeOptions options;
    options.encoding = encoding;
    options.restartRows = restartRows;
    options.arithmetic = arithmetic;
    return options;
}

std::vector<Case> matrix()
{
    return {
        {"4:4:4", test::patternImage(301, 199), sampled(1, 1), 100},
        {"4:2:2", test::patternImage(301, 199), sampled(2, 1), 100},
        {"4:2:0", test::patternImage(301, 199), sampled(2, 2), 100},
        {"1x2", test::patternImage(199, 301), sampled(1, 2), 100},
        {"grey", test::patternImage(257, 129, 1), EncodeOptions{}, 64},
        {"progressive", test::patternImage(400, 300), with(Encoding::Progressive), 120},
        {"restart intervals", test::patternImage(333, 517), with(Encoding::Baseline, 2), 90},
        {"arithmetic", test::patternImage(333, 217), with(Encoding::Baseline, 0, true), 77},
        {"progressive arithmetic", test::patternImage(217, 333),
         with(Encoding::Progressive, 1, true), 50},
        {"odd sizes", test::patternImage(17, 9), EncodeOptions{}, 11},
        {"enlarged", test::patternImage(7, 5), sampled(2, 2), 400},
        {"enlarged 1x2", test::patternImage(5, 11), sampled(1, 2), 400},
        {"size 1", test::patternImage(640, 480), EncodeOptions{}, 1},
        {"size 400", test::patternImage(1201, 803), EncodeOptions{}, 400},
        {"tall strip", test::patternImage(3, 2000), sampled(2, 2), 400},
        {"4:1:0", test::patternImage(301, 199), sampled(4, 2), 100},
        {"1x4", test::patternImage(199, 301), sampled(1, 4), 100},
        {"2x4", test::patternImage(199, 301), sampled(2, 4), 77},
    };
}

// A size below `limit` drawn the same way on every run.
int drawn(unsigned& seed, int limit)
{
    seed = seed * 1103515245 + 12345;
    return static_cast<int>((seed >> 8) % static_cast<unsigned>(limit));
}

void expectSameAsFullDecode(const TempDir& dir, const Case& c)
{
    const std::string jpeg = test::encodeJpeg(c.image, c.options);
    dir.write("in.jpg", jpeg);
    const TestImage expected =
        test::sampleNearest(test::decodeWhole(jpeg), static_cast<int>(c.size));

    const Result<Raster> raster = sampleThumbnail(dir.path("in.jpg"), c.size);

    ASSERT_TRUE(raster.ok()) << c.name << ": " << raster.message();
    ASSERT_FALSE(raster->pixels.empty()) << c.name;
    EXPECT_EQ(static_cast<int>(raster->width), expected.width) << c.name;
    EXPECT_EQ(static_cast<int>(raster->height), expected.height) << c.name;
    EXPECT_TRUE(raster->pixels == expected.pixels) << c.name;
}

// The thumbnail made from the rows that are sampled, the others skipped, must be exactly what
// decoding every row gives.
TEST(SampledDecodeTest, SkippingRowsGivesTheSamePixelsAsAFullDecode)
{
    const TempDir dir;
    for (const Case& c : matrix()) {
        expectSameAsFullDecode(dir, c);
    }
}

// Every sampling, at sizes and scales that put the sampled rows anywhere within the library's
// groups of rows.
TEST(SampledDecodeTest, SkippingIsExactWhereverTheSampledRowsFall)
{
    const TempDir dir;
    const int samplings[][2] = {{1, 1}, {2, 1}, {2, 2}, {1, 2}, {4, 2}, {1, 4}, {2, 4}, {4, 1}};
    unsigned seed = 12345;
    for (const auto& sampling : samplings) {
        for (int i = 0; i < 12; ++i) {
            const int width = 1 + drawn(seed, 64);
            const int height = 1 + drawn(seed, 240);
            const auto size = static_cast<std::uint32_t>(1 + drawn(seed, 400));
            const std::string name = std::to_string(sampling[0]) + "x" +
                                     std::to_string(sampling[1]) + " " + std::to_string(width) +
                                     "x" + std::to_string(height) + " at " + std::to_string(size);
            const TestImage image = test::patternImage(width, height);
            const EncodeOptions options = sampled(sampling[0], sampling[1]);
            const std::string jpeg = test::encodeJpeg(image, options);
            const TestImage expected =
                test::sampleNearest(test::decodeWhole(jpeg), static_cast<int>(size));
            if (expected.pixels.empty()) {
                continue;
            }
            expectSameAsFullDecode(dir, {name.c_str(), image, options, size});
        }
    }
}

// Photos far wider than their thumbnails, so that most of their blocks are not transformed, with
// the sampled columns anywhere within a block and next to blocks that are left out.
TEST(SampledDecodeTest, FewSampledColumnsComeOutAsAFullDecodeGivesThem)
{
    const TempDir dir;
    const int samplings[][2] = {{1, 1}, {2, 1}, {2, 2}, {1, 2}, {4, 2}, {4, 1}, {2, 4}};
    unsigned seed = 54321;
    for (const auto& sampling : samplings) {
        for (int i = 0; i < 6; ++i) {
            const int width = 200 + drawn(seed, 1800);
            const int height = 8 + drawn(seed, 40);
            EncodeOptions options = sampled(sampling[0], sampling[1]);
            options.encoding = i % 3 == 1 ? Encoding::Progressive : Encoding::Baseline;
            options.restartRows = i % 3 == 2 ? 1 : 0;
            // At least a row high, and columns at most the photo's height apart.
            const int size = (width + height - 1) / height + drawn(seed, 40);
            const std::string name = std::to_string(sampling[0]) + ":" +
                                     std::to_string(sampling[1]) + " " + std::to_string(width) +
                                     "x" + std::to_string(height) + " at " + std::to_string(size);
            expectSameAsFullDecode(
                dir, {name.c_str(), test::patternImage(width, height, i == 5 ? 1 : 3), options,
                      static_cast<std::uint32_t>(size)});
        }
    }
}

// Columns asked for again replace the earlier ones, which the decoder then no longer keeps.
TEST(SampledDecodeTest, ColumnsAskedForAgainReplaceTheEarlierOnes)
{
    const TempDir dir;
    const std::string jpeg = test::encodeJpeg(test::patternImage(301, 199), sampled(2, 2));
    dir.write("in.jpg", jpeg);
    const TestImage whole = test::decodeWhole(jpeg);
    Result<ImageFile> file = openImageFile(dir.path("in.jpg"));
    ASSERT_TRUE(file.ok()) << file.message();
    JpegDecoder decoder(file->get());
    ASSERT_TRUE(decoder.readHeader() && decoder.start());
    decoder.transformOnlyColumns({0});
    decoder.transformOnlyColumns({150, 300});
    std::vector<unsigned char> row(301 * 3);
    ASSERT_TRUE(decoder.readRow(row.data()));
    for (const std::size_t byte : {150 * 3, 150 * 3 + 2, 300 * 3, 300 * 3 + 2}) {
        EXPECT_EQ(row[byte], whole.pixels[byte]) << byte;
    }
    EXPECT_NE(row[0], whole.pixels[0]);
}

std::string frameHeaderOf(const std::string& jpeg)
{
    const std::size_t start = jpeg.find("\xFF\xC0");
    const std::size_t length = (static_cast<unsigned char>(jpeg[start + 2]) << 8) |
                               static_cast<unsigned char>(jpeg[start + 3]);
    return jpeg.substr(start, length + 2);
}

// A truncated file decodes with what was there; a second frame before the end cannot be
// decoded. The thumbnail reports either exactly as reading every row does.
TEST(SampledDecodeTest, DamageAfterTheLastSampledRowIsReportedAsAFullDecodeReportsIt)
{
    const TempDir dir;
    const std::string whole = test::encodeJpeg(test::patternImage(320, 240));
    std::string secondFrame = whole;
    secondFrame.insert(secondFrame.size() - 2, frameHeaderOf(whole));
    const std::string damaged[] = {
        whole.substr(0, whole.size() - 40),
        whole.substr(0, whole.size() / 2),
        secondFrame,
    };
    std::size_t failures = 0;
    for (std::size_t i = 0; i < std::size(damaged); ++i) {
        dir.write("damaged.jpg", damaged[i]);
        const Result<Raster> raster = sampleThumbnail(dir.path("damaged.jpg"), 100);
        try {
            const TestImage expected = test::sampleNearest(test::decodeWhole(damaged[i]), 100);
            ASSERT_TRUE(raster.ok()) << i << ": " << raster.message();
            EXPECT_TRUE(raster->pixels == expected.pixels) << i;
        } catch (const test::DecodeFailure& failure) {
            ++failures;
            EXPECT_EQ(raster.message().rfind("JPEG error #" + std::to_string(failure.code) +
                                                 " in " + dir.path("damaged.jpg") + ": ",
                                             0),
                      0u)
                << i << ": " << raster.message();
        }
    }
    EXPECT_EQ(failures, 1u) << "only the second frame cannot be decoded";
}

}  // namespace
}  // namespace pixmosa
