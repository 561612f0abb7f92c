#include "thumbs/thumbnail_maker.h"

#include <gtest/gtest.h>

#include <array>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/colour_profiles.h"
#include "support/file_setup.h"
#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"
#include "thumbs/colour_profile.h"

namespace pixmosa {
namespace {

using test::Encoding;
using test::TempDir;
using test::TestImage;

class ThumbnailMakerTest : public ::testing::Test {
protected:
    std::string writeImage(const std::string& name, const TestImage& image,
                           Encoding encoding = Encoding::Baseline)
    {
        dir.write(name, test::encodeJpeg(image, encoding));
        return dir.path(name);
    }

    Raster sample(const std::string& path, std::uint32_t size)
    {
        Result<Raster> raster = sampleThumbnail(path, size);
        EXPECT_TRUE(raster.ok()) << raster.message();
        return raster.ok() ? std::move(raster).value() : Raster{};
    }

    TempDir dir;
};

TEST_F(ThumbnailMakerTest, LongerSideBecomesTheSizeAndTheShorterKeepsTheProportions)
{
    const struct {
        int width, height;
        std::uint32_t size, expectedWidth, expectedHeight;
    } cases[] = {
        {1600, 1200, 120, 120, 90}, {1200, 1600, 120, 90, 120}, {1000, 625, 100, 100, 62},
        {500, 500, 120, 120, 120},  {60, 40, 120, 120, 80},
    };
    for (const auto& c : cases) {
        const std::string path = writeImage("in.jpg", test::patternImage(c.width, c.height));
        const Raster raster = sample(path, c.size);
        EXPECT_EQ(raster.width, c.expectedWidth) << c.width << "x" << c.height;
        EXPECT_EQ(raster.height, c.expectedHeight) << c.width << "x" << c.height;
    }
}

TEST_F(ThumbnailMakerTest, EnlargedImageSamplesHalfwayToEvenAndTheLastPixelPastTheEdge)
{
    const std::string path = writeImage("small.jpg", test::patternImage(60, 40));
    const TestImage source = test::decodeWhole(dir.read("small.jpg"));

    const Raster raster = sample(path, 120);

    const auto pixelOf = [](const unsigned char* pixels, int width, int x, int y) {
        const unsigned char* p = pixels + (static_cast<std::size_t>(y) * width + x) * 3;
        return std::vector<int>{p[0], p[1], p[2]};
    };
    const int expectedColumns[] = {0, 0, 1, 2, 2, 2, 3, 4, 4, 4, 5};
    for (int j = 0; j < 11; ++j) {
        EXPECT_EQ(pixelOf(raster.pixels.data(), 120, j, 0),
                  pixelOf(source.pixels.data(), 60, expectedColumns[j], 0))
            << "column " << j;
    }
    EXPECT_EQ(pixelOf(raster.pixels.data(), 120, 119, 79),
              pixelOf(source.pixels.data(), 60, 59, 39));
}

// The thumbnail must be exactly what decoding the whole image, sampling it and encoding the
// result gives, for every kind of source.
TEST_F(ThumbnailMakerTest, ThumbnailEqualsTheStraightforwardFullDecode)
{
    const struct {
        TestImage image;
        Encoding encoding;
        std::uint32_t size;
    } cases[] = {
        {test::patternImage(641, 479), Encoding::Baseline, 100},
        {test::patternImage(333, 517), Encoding::Progressive, 120},
        {test::patternImage(250, 170, 1), Encoding::Baseline, 77},
        {test::patternImage(37, 23), Encoding::Progressive, 400},
    };
    for (const auto& c : cases) {
        const std::string source = writeImage("source.jpg", c.image, c.encoding);
        const test::TestImage expected = test::sampleNearest(
            test::decodeWhole(dir.read("source.jpg")), static_cast<int>(c.size));

        ASSERT_TRUE(MakeThumbnail(source, dir.path("thumb.jpg"), c.size).ok());

        const Raster raster = sample(source, c.size);
        EXPECT_EQ(raster.pixels, expected.pixels) << c.image.width << "x" << c.image.height;
        EXPECT_EQ(dir.read("thumb.jpg"), test::encodeAsThumbnail(expected));
    }
}

// A camera held upright stores the picture on its side and says so in the EXIF orientation: the
// thumbnail is sampled from the stored pixels and then turned, here a quarter turn clockwise.
TEST_F(ThumbnailMakerTest, TurnedPhotoGetsAnUprightThumbnail)
{
    const TestImage image = test::patternImage(160, 120);
    dir.write("turned.jpg", test::encodeJpegWithOrientation(image, 6));
    const TestImage stored =
        test::sampleNearest(test::decodeWhole(dir.read("turned.jpg")), 40);  // 40 x 30
    TestImage expected{stored.height, stored.width, 3, {}};
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const auto* p =
                &stored
                     .pixels[(static_cast<std::size_t>(stored.height - 1 - x) * stored.width + y) *
                             3];
            expected.pixels.insert(expected.pixels.end(), p, p + 3);
        }
    }

    ASSERT_TRUE(MakeThumbnail(dir.path("turned.jpg"), dir.path("thumb.jpg"), 40).ok());

    const Raster raster = sample(dir.path("turned.jpg"), 40);
    EXPECT_EQ(raster.width, 30u);
    EXPECT_EQ(raster.height, 40u);
    EXPECT_EQ(raster.pixels, expected.pixels);
    EXPECT_EQ(dir.read("thumb.jpg"), test::encodeAsThumbnail(expected));
}

TEST_F(ThumbnailMakerTest, PhotoWithoutATurnKeepsItsExactThumbnail)
{
    const TestImage image = test::patternImage(300, 200);
    dir.write("plain.jpg", test::encodeJpeg(image));
    dir.write("upright.jpg", test::encodeJpegWithOrientation(image, 1));
    dir.write("damaged.jpg", test::withApp1Segment(test::encodeJpeg(image),
                                                   test::exifOrientationSegment(6).substr(0, 19)));

    for (const char* name : {"plain.jpg", "upright.jpg", "damaged.jpg"}) {
        ASSERT_TRUE(
            MakeThumbnail(dir.path(name), dir.path(std::string("thumb-") + name), 100).ok());
    }

    const std::string expected =
        test::encodeAsThumbnail(test::sampleNearest(test::decodeWhole(dir.read("plain.jpg")), 100));
    EXPECT_EQ(dir.read("thumb-plain.jpg"), expected);
    EXPECT_EQ(dir.read("thumb-upright.jpg"), expected);
    EXPECT_EQ(dir.read("thumb-damaged.jpg"), expected);
}

// A wide-gamut photo's thumbnail carries its ICC profile byte for byte (a long one spans
// several APP2 segments), so a browser shows both in the same colours; the pixels are those of
// the same photo without a profile.
TEST_F(ThumbnailMakerTest, ThumbnailCarriesThePhotosColourProfile)
{
    const TestImage image = test::patternImage(160, 120);
    const std::string profile = test::srgbProfile(150000);
    test::EncodeOptions tagged;
    tagged.iccProfile = profile;
    dir.write("tagged.jpg", test::encodeJpeg(image, tagged));
    dir.write("plain.jpg", test::encodeJpeg(image, test::EncodeOptions{}));

    ASSERT_TRUE(MakeThumbnail(dir.path("tagged.jpg"), dir.path("t1.jpg"), 50).ok());
    ASSERT_TRUE(MakeThumbnail(dir.path("plain.jpg"), dir.path("t2.jpg"), 50).ok());

    EXPECT_EQ(test::iccProfileOf(dir.read("t1.jpg")), profile);
    EXPECT_EQ(test::iccProfileOf(dir.read("t2.jpg")), "");
    EXPECT_EQ(test::decodeWhole(dir.read("t1.jpg")).pixels,
              test::decodeWhole(dir.read("t2.jpg")).pixels);
    // The profile's segments follow the JFIF marker.
    EXPECT_EQ(dir.read("t1.jpg").find("\xFF\xE2"), 20u);
}

// A profile that cannot be had is left out, and the warning says why; the thumbnail is that of
// the photo without it.
TEST_F(ThumbnailMakerTest, ProfileThatCannotBeHadIsLeftOutWithAWarning)
{
    const TestImage image = test::patternImage(160, 120);
    const std::string plain = test::encodeJpeg(image, test::EncodeOptions{});
    const auto tagged = [&image](const std::string& profile) {
        test::EncodeOptions options;
        options.iccProfile = profile;
        return test::encodeJpeg(image, options);
    };
    std::string missing = tagged(test::srgbProfile(150000));
    const std::size_t second = missing.find("\xFF\xE2", missing.find("\xFF\xE2") + 2);
    ASSERT_NE(second, std::string::npos);
    missing[second + 1] = '\xEE';  // the second ICC segment becomes an APP14 the profile lacks
    // 256 segments, one more than a profile can be numbered in.
    std::string segments = plain.substr(0, 2);
    for (int i = 0; i < 256; ++i) {
        const std::string data =
            std::string("ICC_PROFILE", 12) + static_cast<char>(i % 255 + 1) + "\xFFx";
        segments += std::string("\xFF\xE2") + '\0' + static_cast<char>(data.size() + 2) + data;
    }
    const struct {
        const char* name;
        std::string jpeg;
        const char* reason;
    } cases[] = {
        {"missing.jpg", missing, "it is damaged"},
        {"unreadable.jpg", tagged(test::iccProfileBytes(600, "RGB ")), "it is damaged"},
        {"large.jpg", tagged(test::srgbProfile(1100000)), "it is larger than 1 MB"},
        {"segments.jpg", segments + plain.substr(2), "it is spread over more than 255 segments"},
    };
    dir.write("plain.jpg", plain);
    const std::string withoutProfile = *renderThumbnail(dir.path("plain.jpg"), 50);
    for (const auto& c : cases) {
        dir.write(c.name, c.jpeg);
        std::string warning;
        const Result<std::string> made = renderThumbnail(dir.path(c.name), 50, {nullptr, &warning});
        ASSERT_TRUE(made.ok()) << c.name << ": " << made.message();
        EXPECT_TRUE(*made == withoutProfile) << c.name;
        EXPECT_EQ(warning, profileLeftOutMessage(dir.path(c.name), c.reason));
    }
}

// A grey photo keeps its grey pixels and gets an RGB profile that shows them as its own grey
// profile does; a CMYK photo's inks become what its profile says they show.
TEST_F(ThumbnailMakerTest, GreyAndCmykPhotosKeepTheColoursTheirProfilesGive)
{
    const TestImage grey = test::patternImage(160, 120, 1);
    const std::string greyProfile = test::greyProfile(1.0);
    test::EncodeOptions greyTagged;
    greyTagged.iccProfile = greyProfile;
    dir.write("grey.jpg", test::encodeJpeg(grey, greyTagged));
    dir.write("grey-plain.jpg", test::encodeJpeg(grey, test::EncodeOptions{}));
    const std::string thumbnail = *renderThumbnail(dir.path("grey.jpg"), 50);
    EXPECT_EQ(test::decodeWhole(thumbnail).pixels,
              test::decodeWhole(*renderThumbnail(dir.path("grey-plain.jpg"), 50)).pixels);
    const std::string embedded = test::iccProfileOf(thumbnail);
    ASSERT_FALSE(embedded.empty());
    for (const unsigned char level : {16, 128, 230}) {
        const unsigned char rgb[] = {level, level, level};
        const std::array<double, 3> shown = test::xyzOf(embedded, rgb);
        const std::array<double, 3> photo = test::xyzOf(greyProfile, &level);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(shown[i], photo[i], 0.002) << int{level};
        }
    }

    test::EncodeOptions cmykTagged;
    cmykTagged.iccProfile = test::cmykProfileShowing(53.24, 80.09, 67.20);  // sRGB's red
    dir.write("cmyk.jpg", test::encodeJpeg(test::patternImage(64, 48, 4), cmykTagged));
    const std::string fromInks = *renderThumbnail(dir.path("cmyk.jpg"), 32);
    EXPECT_EQ(test::iccProfileOf(fromInks), "");
    const TestImage red = test::decodeWhole(fromInks);
    for (std::size_t i = 0; i < red.pixels.size(); i += 3) {
        ASSERT_GE(red.pixels[i], 248) << i;
        ASSERT_LE(std::max(red.pixels[i + 1], red.pixels[i + 2]), 8) << i;
    }
}

TEST_F(ThumbnailMakerTest, SameImageGivesTheSameBytesEveryTime)
{
    const std::string source = writeImage("a.jpg", test::patternImage(300, 200));

    ASSERT_TRUE(MakeThumbnail(source, dir.path("one.jpg"), 100).ok());
    ASSERT_TRUE(MakeThumbnail(source, dir.path("two.jpg"), 100).ok());

    EXPECT_FALSE(dir.read("one.jpg").empty());
    EXPECT_EQ(dir.read("one.jpg"), dir.read("two.jpg"));
}

TEST_F(ThumbnailMakerTest, ThumbnailWithoutPixelsIsAnEmptyFile)
{
    const std::string source = writeImage("strip.jpg", test::patternImage(1000, 4));
    dir.write("thumb.jpg", "old");

    ASSERT_TRUE(MakeThumbnail(source, dir.path("thumb.jpg"), 100).ok());

    EXPECT_TRUE(dir.exists("thumb.jpg"));
    EXPECT_EQ(dir.read("thumb.jpg"), "");
}

TEST_F(ThumbnailMakerTest, OnlyJpgAndJpegNamesAreMade)
{
    const std::string jpeg = test::encodeJpeg(test::patternImage(20, 20));
    dir.write("PHOTO.JPEG", jpeg);
    dir.write("photo.png", jpeg);

    ASSERT_TRUE(MakeThumbnail(dir.path("PHOTO.JPEG"), dir.path("t1"), 10).ok());
    ASSERT_TRUE(MakeThumbnail(dir.path("photo.png"), dir.path("t2"), 10).ok());

    EXPECT_TRUE(dir.exists("t1"));
    EXPECT_FALSE(dir.exists("t2"));
}

TEST_F(ThumbnailMakerTest, GreyAndCmykSourcesGiveRgbThumbnails)
{
    TestImage grey{8, 8, 1, std::vector<unsigned char>(64, 200)};
    // Adobe CMYK keeps the amounts of light: full light in cyan, yellow and black, none in
    // magenta, which is magenta ink on white.
    TestImage cmyk{8, 8, 4, {}};
    for (int i = 0; i < 64; ++i) {
        cmyk.pixels.insert(cmyk.pixels.end(), {255, 0, 255, 255});
    }

    const Raster fromGrey = sample(writeImage("grey.jpg", grey), 4);
    const Raster fromCmyk = sample(writeImage("cmyk.jpg", cmyk), 4);

    ASSERT_EQ(fromGrey.pixels.size(), 4u * 4 * 3);
    for (const unsigned char value : fromGrey.pixels) {
        EXPECT_NEAR(value, 200, 2);
    }
    ASSERT_EQ(fromCmyk.pixels.size(), 4u * 4 * 3);
    EXPECT_NEAR(fromCmyk.pixels[0], 255, 6);
    EXPECT_NEAR(fromCmyk.pixels[1], 0, 6);
    EXPECT_NEAR(fromCmyk.pixels[2], 255, 6);
}

TEST_F(ThumbnailMakerTest, SourceThatCannotBeOpenedIsNamed)
{
    ASSERT_TRUE(test::makeDirectory(dir.path("old.jpg")));

    EXPECT_EQ(MakeThumbnail(dir.path("old.jpg"), dir.path("t.jpg"), 100).message(),
              "Cannot open file " + dir.path("old.jpg") + ": " +
                  test::reasonFor(test::Failure::IsADirectory));
    EXPECT_EQ(MakeThumbnail(dir.path("missing.jpg"), dir.path("t.jpg"), 100).message(),
              "Cannot open file " + dir.path("missing.jpg") + ": " +
                  test::reasonFor(test::Failure::NoSuchFile));
#ifndef _WIN32
    // Reading a FIFO would wait for a writer forever; the alarm ends a test that hangs.
    ASSERT_EQ(::mkfifo(dir.path("pipe.jpg").c_str(), 0666), 0);
    ::alarm(20);
    EXPECT_EQ(MakeThumbnail(dir.path("pipe.jpg"), dir.path("t.jpg"), 100).message(),
              "Cannot open file " + dir.path("pipe.jpg") + ": it is not a regular file");
    ::alarm(0);
#endif
    EXPECT_FALSE(dir.exists("t.jpg"));
}

TEST_F(ThumbnailMakerTest, UndecodableDataGivesTheLibrarysMessageNumber)
{
    dir.write("text.jpg", "this is not a picture");

    const Status made = MakeThumbnail(dir.path("text.jpg"), dir.path("t.jpg"), 100);
    ASSERT_FALSE(made.ok());
    EXPECT_EQ(made.message().rfind("JPEG error #", 0), 0u) << made.message();
    EXPECT_NE(made.message().rfind("JPEG error #0", 0), 0u) << made.message();
    // The file and the library's own words follow the number.
    EXPECT_NE(made.message().find(" in " + dir.path("text.jpg") + ": Not a JPEG file"),
              std::string::npos)
        << made.message();
    EXPECT_FALSE(dir.exists("t.jpg"));
}

// An empty file has no size, and its scale factor would be a division by zero.
TEST_F(ThumbnailMakerTest, EmptySourceIsAnInvalidFloatingPointOperation)
{
    dir.write("empty.jpg", "");

    EXPECT_EQ(
        MakeThumbnail(dir.path("empty.jpg"), dir.path("t.jpg"), 100).message(),
        "Invalid floating point operation in " + dir.path("empty.jpg") + ": the file is empty");
    EXPECT_FALSE(dir.exists("t.jpg"));
}

TEST_F(ThumbnailMakerTest, TruncatedImageIsStillMadeWithWhatCouldBeReadAndTheDamageTold)
{
    const std::string whole = test::encodeJpeg(test::patternImage(400, 300));
    dir.write("truncated.jpg", whole.substr(0, whole.size() * 2 / 3));

    EXPECT_TRUE(MakeThumbnail(dir.path("truncated.jpg"), dir.path("t.jpg"), 100).ok());
    EXPECT_FALSE(dir.read("t.jpg").empty());
    std::string warning;
    ASSERT_TRUE(renderThumbnail(dir.path("truncated.jpg"), 100, {nullptr, &warning}).ok());
    EXPECT_EQ(warning,
              "JPEG warning in " + dir.path("truncated.jpg") + ": Premature end of JPEG file");
    warning.clear();
    ASSERT_TRUE(renderThumbnail(writeImage("whole.jpg", test::patternImage(40, 30)), 10,
                                {nullptr, &warning})
                    .ok());
    EXPECT_EQ(warning, "");
}

// Every scan of a progressive image passes over the whole frame: the scans are counted, and an
// image with more than any camera writes is refused by their number.
TEST_F(ThumbnailMakerTest, ImageOfVeryManyScansIsRefused)
{
    std::string jpeg = test::encodeJpeg(test::patternImage(64, 48), Encoding::Progressive);
    const std::size_t lastScan = jpeg.rfind("\xFF\xDA");
    const std::size_t end = jpeg.rfind("\xFF\xD9");
    ASSERT_NE(lastScan, std::string::npos);
    const std::string scan = jpeg.substr(lastScan, end - lastScan);
    std::string repeated;
    for (int i = 0; i < 120; ++i) {
        repeated += scan;
    }
    jpeg.insert(end, repeated);
    dir.write("scans.jpg", jpeg);

    EXPECT_EQ(MakeThumbnail(dir.path("scans.jpg"), dir.path("t.jpg"), 10).message(),
              "JPEG error in " + dir.path("scans.jpg") + ": too many scans (101)");
    EXPECT_FALSE(dir.exists("t.jpg"));
}

TEST_F(ThumbnailMakerTest, DestinationThatCannotBeCreatedIsNamedAndLeftUntouched)
{
    const std::string source = writeImage("a.jpg", test::patternImage(50, 50));
    dir.write("locked.jpg", "keep me");
    ASSERT_TRUE(test::makeReadOnly(dir.path("locked.jpg")));

    EXPECT_EQ(MakeThumbnail(source, dir.path("no/such/dir/t.jpg"), 10).message(),
              "Cannot create file " + dir.path("no/such/dir/t.jpg") + ": " +
                  test::reasonFor(test::Failure::NoSuchFolder));
    EXPECT_EQ(MakeThumbnail(source, dir.path("locked.jpg"), 10).message(),
              "Cannot create file " + dir.path("locked.jpg") + ": " +
                  test::reasonFor(test::Failure::PermissionDenied));
    const std::string longName = dir.path(std::string(256, 'n') + ".jpg");
#ifdef _WIN32
    // Which reason Windows gives depends on the file system; the file is named all the same.
    EXPECT_EQ(MakeThumbnail(source, longName, 10)
                  .message()
                  .rfind("Cannot create file " + longName + ": ", 0),
              0u);
#else
    EXPECT_EQ(
        MakeThumbnail(source, longName, 10).message(),
        "Cannot create file " + longName + ": " + test::reasonFor(test::Failure::NameTooLong));
#endif
    EXPECT_EQ(dir.read("locked.jpg"), "keep me");
    EXPECT_EQ(dir.entryCount(), 2);
}

TEST_F(ThumbnailMakerTest, ImageClaimingAnEnormousSizeIsRefusedBeforeDecoding)
{
    std::string jpeg = test::encodeJpeg(test::patternImage(16, 16));
    const std::size_t frame = jpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    // Height and width in the frame header: 60000 x 60000.
    jpeg.replace(frame + 5, 4, "\xEA\x60\xEA\x60");
    dir.write("bomb.jpg", jpeg);

    const Status made = MakeThumbnail(dir.path("bomb.jpg"), dir.path("t.jpg"), 100);

    EXPECT_EQ(made.message(), "The image " + dir.path("bomb.jpg") +
                                  " has 60000 x 60000 pixels, more than the 1000 megapixels a "
                                  "thumbnail is made from");
    EXPECT_FALSE(dir.exists("t.jpg"));
}

#ifndef _WIN32
// Peak memory of a child process that makes one thumbnail, in kilobytes.
long peakKilobytesMaking(const std::string& source, const std::string& destination)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(MakeThumbnail(source, destination, 100).ok() ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return usage.ru_maxrss;
}

// The orientation is read from the first EXIF segment and every other APP1 segment is passed
// over unkept, so a header of thousands of them costs neither memory nor time.
TEST_F(ThumbnailMakerTest, ManyApp1SegmentsAreNotKept)
{
    {
        // Built in a scope of its own, so the forked makers below do not start with it in memory.
        const std::string plain = test::encodeJpegWithOrientation(test::patternImage(64, 48), 6);
        const std::string xmp = test::withApp1Segment(
            "\xFF\xD8", "http://ns.adobe.com/xap/1.0/" + std::string(20000, 'x'));
        std::string jpeg = plain.substr(0, 2);
        for (int i = 0; i < 2000; ++i) {
            jpeg += xmp.substr(2);
        }
        dir.write("many.jpg", jpeg + plain.substr(2));
        dir.write("plain.jpg", plain);
    }

    // Measured first, before this process has held any of it.
    const long plainPeak = peakKilobytesMaking(dir.path("plain.jpg"), dir.path("t1.jpg"));
    const long manyPeak = peakKilobytesMaking(dir.path("many.jpg"), dir.path("t2.jpg"));
    EXPECT_EQ(sample(dir.path("many.jpg"), 64).pixels, sample(dir.path("plain.jpg"), 64).pixels);
    EXPECT_EQ(sample(dir.path("many.jpg"), 64).width, 48u);
    EXPECT_LT(manyPeak - plainPeak, 8 * 1024) << plainPeak << " KB, then " << manyPeak << " KB";
}

TEST_F(ThumbnailMakerTest, PeakMemoryDoesNotGrowWithTheImagesHeight)
{
    // Decoded whole, the tall image would take 256 x 40000 x 3 bytes, about 30 MB.
    const std::string shortImage = writeImage("short.jpg", test::patternImage(256, 400));
    const std::string tallImage = writeImage("tall.jpg", test::patternImage(256, 40000));

    const long shortPeak = peakKilobytesMaking(shortImage, dir.path("t1.jpg"));
    const long tallPeak = peakKilobytesMaking(tallImage, dir.path("t2.jpg"));

    EXPECT_LT(tallPeak - shortPeak, 4 * 1024) << shortPeak << " KB, then " << tallPeak << " KB";
}
#endif

}  // namespace
}  // namespace pixmosa
