#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <span>
#include <thread>

#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"
#include "thumbs/restart_layout.h"
#include "thumbs/thumbnail_maker.h"

namespace pixmosa {
namespace {

using test::EncodeOptions;
using test::TempDir;

struct Kind {
    const char* name;
    int components;
    int horizontal;
    int vertical;
};

// A photo with restart markers has only the rows of MCUs decoded that hold a sampled row; the
// thumbnail is the one of a decode of every row, byte for byte.
class RestartRowsTest : public ::testing::Test {
protected:
    // Both ways, with the warning each tells; the thumbnails must be equal.
    void expectSameBothWays(const std::string& jpeg, std::uint32_t size, const std::string& what)
    {
        dir.write("photo.jpg", jpeg);
        std::string fastWarning;
        std::string fullWarning;
        std::uint64_t fastBytes = 0;
        std::uint64_t fullBytes = 0;
        const Result<std::string> fast = renderThumbnail(
            dir.path("photo.jpg"), size, {.warning = &fastWarning, .bytesDecoded = &fastBytes});
        const Result<std::string> full = renderThumbnail(
            dir.path("photo.jpg"), size,
            {.warning = &fullWarning, .everyRow = true, .bytesDecoded = &fullBytes});
        EXPECT_EQ(fullBytes, jpeg.size()) << what;
        if (size == 1) {  // one row of MCUs is sampled, so the cut holds a few of many
            EXPECT_LT(fastBytes, jpeg.size() / 4) << what;
        }
        ASSERT_EQ(fast.ok(), full.ok()) << what;
        if (full.ok()) {
            EXPECT_TRUE(*fast == *full) << what << " at size " << size;
        } else {
            EXPECT_EQ(fast.message(), full.message()) << what;
        }
        EXPECT_EQ(fastWarning, fullWarning) << what;
    }

    static std::span<const unsigned char> bytesOf(const std::string& text)
    {
        return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
    }

    // Where each restart marker of the scan is.
    static std::vector<std::size_t> restartMarkers(const std::string& jpeg, std::size_t scanStart)
    {
        std::vector<std::size_t> markers;
        for (std::size_t i = scanStart; i + 1 < jpeg.size(); ++i) {
            if (jpeg[i] == '\xFF' && (jpeg[i + 1] & 0xF8) == 0xD0) {
                markers.push_back(i);
            }
        }
        return markers;
    }

    TempDir dir;
};

TEST_F(RestartRowsTest, EveryKindOfPhotoGivesTheThumbnailOfAWholeDecode)
{
    const Kind kinds[] = {{"4:2:0", 3, 2, 2},
                          {"4:2:2", 3, 2, 1},
                          {"4:4:4", 3, 1, 1},
                          {"4:4:0", 3, 1, 2},
                          {"grey", 1, 1, 1}};
    for (const Kind& kind : kinds) {
        // A height that is no multiple of the rows of MCUs; markers every row, every two rows,
        // and at every quarter of a row.
        const test::TestImage image = test::patternImage(960, 725, kind.components);
        EncodeOptions options;
        options.horizontalSampling = kind.horizontal;
        options.verticalSampling = kind.vertical;
        for (const int rows : {1, 2, 0}) {
            options.restartRows = rows;
            options.restartInterval = rows == 0 ? 960 / (8 * kind.horizontal) / 4 : 0;
            const std::string jpeg = test::encodeJpeg(image, options);
            ASSERT_TRUE(findRestartLayout(bytesOf(jpeg))) << kind.name << " " << rows;
            for (const std::uint32_t size : {1u, 37u, 100u, 400u, 1200u}) {
                expectSameBothWays(
                    jpeg, size,
                    std::string(kind.name) + " every " + std::to_string(rows) + " rows");
            }
        }
    }
}

TEST_F(RestartRowsTest, TurnedPhotoGivesTheThumbnailOfAWholeDecode)
{
    EncodeOptions options;
    options.restartRows = 1;
    const std::string jpeg = test::withApp1Segment(
        test::encodeJpeg(test::patternImage(720, 960), options), test::exifOrientationSegment(6));
    for (const std::uint32_t size : {1u, 37u, 100u, 400u}) {
        expectSameBothWays(jpeg, size, "turned");
    }
}

// The rows a thumbnail does not sample are not decoded at all: damage there is never read.
// Damage that is read, a photo cut short and markers out of turn give what a whole decode
// gives, warning and all.
TEST_F(RestartRowsTest, DamageIsReadOnlyWhereItIsSampledAndThenAsAWholeDecodeReadsIt)
{
    EncodeOptions options;
    options.restartRows = 1;
    const std::string jpeg = test::encodeJpeg(test::patternImage(640, 960), options);
    const std::optional<RestartLayout> layout = findRestartLayout(bytesOf(jpeg));
    ASSERT_TRUE(layout);
    ASSERT_EQ(layout->mcuRows, 60u);
    const std::vector<std::size_t> markers = restartMarkers(jpeg, layout->scanStart);
    ASSERT_EQ(markers.size(), 59u);

    // At size 1 only the first row of MCUs is sampled; the 31st is garbled.
    std::string garbled = jpeg;
    for (std::size_t i = markers[29] + 4; i + 2 < markers[30]; i += 3) {
        // Neither a marker byte nor the stuffed zero after one: the markers stay as they are.
        const auto changed = static_cast<char>(garbled[i] ^ 0x5A);
        if (garbled[i - 1] != '\xFF' && garbled[i] != '\xFF' && changed != '\xFF') {
            garbled[i] = changed;
        }
    }
    ASSERT_TRUE(findRestartLayout(bytesOf(garbled)));
    dir.write("garbled.jpg", garbled);
    std::string fastWarning;
    std::string fullWarning;
    const Result<std::string> fast =
        renderThumbnail(dir.path("garbled.jpg"), 1, {nullptr, &fastWarning});
    RenderContext every{nullptr, &fullWarning};
    every.everyRow = true;
    const Result<std::string> full = renderThumbnail(dir.path("garbled.jpg"), 1, every);
    ASSERT_TRUE(fast.ok() && full.ok());
    EXPECT_EQ(*fast, *full);
    EXPECT_EQ(fastWarning, "");
    EXPECT_NE(fullWarning, "");

    // Sampled at size 400, the garbled row is read, and both ways warn alike.
    expectSameBothWays(garbled, 400, "garbled row sampled");
    expectSameBothWays(jpeg.substr(0, jpeg.size() / 2), 100, "cut short");
    std::string outOfTurn = jpeg;
    outOfTurn[markers[4] + 1] = '\xD3';
    expectSameBothWays(outOfTurn, 100, "marker out of turn");
}

// The photo is read once through, the intervals passed over as well as those kept, and what
// that reading finds tells whether the cut can be trusted.
TEST_F(RestartRowsTest, CutReadsThePhotoOnceAndFindsWhetherItsIntervalsAddUp)
{
    EncodeOptions options;
    options.restartRows = 1;
    const std::string jpeg = test::encodeJpeg(test::patternImage(640, 960), options);
    const std::vector<std::size_t> markers =
        restartMarkers(jpeg, findRestartLayout(bytesOf(jpeg))->scanStart);
    ASSERT_EQ(markers.size(), 59u);
    std::string outOfTurn = jpeg;
    outOfTurn[markers[40] + 1] = '\xD1';  // beyond the rows kept
    const std::string withoutEnd = jpeg.substr(0, jpeg.size() - 2);
    const struct {
        const char* name;
        std::string photo;
        bool addsUp;
    } cases[] = {{"whole", jpeg, true},
                 {"marker out of turn", outOfTurn, false},
                 {"one interval too many", withoutEnd + "\xFF\xD3\xFF\xD9", false},
                 {"no end of image", withoutEnd, false},
                 {"cut short", jpeg.substr(0, markers[50]), false}};
    for (const auto& c : cases) {
        std::uint64_t bytesRead = 0;
        const PhotoBytes inMemory = photoBytesIn(bytesOf(c.photo));
        const PhotoBytes counted{[&](std::uint64_t offset, std::span<unsigned char> into) {
            const std::optional<std::size_t> got = inMemory.readAt(offset, into);
            bytesRead += got.value_or(0);
            return got;
        }};
        std::vector<unsigned char> buffer;
        PhotoWindow window(counted, buffer);
        const std::optional<RestartLayout> layout = findRestartLayout(window);
        ASSERT_TRUE(layout) << c.name;
        RowCut cut(window, *layout, {0, 20, 21, 59});
        while (!cut.next().empty()) {
        }
        EXPECT_EQ(cut.readToEnd(), c.addsUp) << c.name;
        EXPECT_LE(bytesRead, c.photo.size()) << c.name;
    }
}

// A photo replaced while thumbnails are made of it (a sync client or an editor saving over it):
// the header and the rows come from the one file opened, so each thumbnail is that of one photo
// or of the other, never of rows of one cut by the frame of the other.
TEST_F(RestartRowsTest, PhotoReplacedWhileItsThumbnailIsMadeGivesTheThumbnailOfOneOfThem)
{
    EncodeOptions marked;
    marked.restartRows = 1;
    const std::string photos[] = {test::encodeJpeg(test::patternImage(320, 1024), marked),
                                  test::encodeJpeg(test::patternImage(480, 512), marked)};
    std::vector<std::string> thumbnails;
    for (const std::string& photo : photos) {
        dir.write("one.jpg", photo);
        thumbnails.push_back(renderThumbnail(dir.path("one.jpg"), 100).value());
    }
    std::atomic<bool> done{false};
    std::thread saver([&] {
        for (int i = 0; !done; ++i) {
            dir.write("saved.jpg", photos[i % 2]);
            std::error_code held;  // Windows refuses while the photo is open; the next try goes on
            std::filesystem::rename(test::fileSystemPath(dir.path("saved.jpg")),
                                    test::fileSystemPath(dir.path("photo.jpg")), held);
        }
    });
    int made = 0;
    int mixed = 0;
    while (made < 300) {
        if (const Result<std::string> thumbnail = renderThumbnail(dir.path("photo.jpg"), 100)) {
            ++made;
            mixed += *thumbnail == thumbnails[0] || *thumbnail == thumbnails[1] ? 0 : 1;
        }
    }
    done = true;
    saver.join();
    EXPECT_EQ(mixed, 0);
}

TEST_F(RestartRowsTest, OnlyBaselinePhotosWhoseIntervalsFitTheRowsAreCut)
{
    const test::TestImage image = test::patternImage(320, 240);
    EncodeOptions none;
    EXPECT_FALSE(findRestartLayout(bytesOf(test::encodeJpeg(image, none))));
    EncodeOptions progressive;
    progressive.encoding = test::Encoding::Progressive;
    progressive.restartRows = 1;
    EXPECT_FALSE(findRestartLayout(bytesOf(test::encodeJpeg(image, progressive))));
    EncodeOptions uneven;
    uneven.restartInterval = 7;  // 20 MCUs a row
    EXPECT_FALSE(findRestartLayout(bytesOf(test::encodeJpeg(image, uneven))));
    EncodeOptions arithmetic;
    arithmetic.arithmetic = true;
    arithmetic.restartRows = 1;
    EXPECT_FALSE(findRestartLayout(bytesOf(test::encodeJpeg(image, arithmetic))));

    EncodeOptions quarters;
    quarters.restartInterval = 5;
    const std::optional<RestartLayout> split =
        findRestartLayout(bytesOf(test::encodeJpeg(image, quarters)));
    ASSERT_TRUE(split);
    EXPECT_EQ(split->intervalsPerRow, 4u);
    EXPECT_EQ(split->intervalCount, 60u);
    EncodeOptions pairs;
    pairs.restartRows = 2;
    const std::optional<RestartLayout> spanning =
        findRestartLayout(bytesOf(test::encodeJpeg(image, pairs)));
    ASSERT_TRUE(spanning);
    EXPECT_EQ(spanning->rowsPerInterval, 2u);
    EXPECT_EQ(spanning->intervalCount, 8u);
}

}  // namespace
}  // namespace pixmosa
