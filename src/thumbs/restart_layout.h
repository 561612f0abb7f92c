#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace pixmosa {

// A baseline photo written with a restart marker at the end of every row of MCUs, of every few
// rows, or of every equal part of a row, as phones and photo editors write them. Each restart
// interval decodes on its own, so the rows a thumbnail samples can be decoded without the
// others.
struct RestartLayout {
    std::size_t heightField = 0;   // where the frame header holds the image's height
    std::size_t entropyStart = 0;  // the first byte after the scan header
    // Each interval's entropy-coded bytes, [begin, end), its restart marker excluded.
    std::vector<std::pair<std::size_t, std::size_t>> intervals;
    std::uint32_t mcuHeight = 0;  // pixel rows in one row of MCUs
    std::uint32_t mcuRows = 0;
    std::uint32_t rowsPerInterval = 1;  // more than 1 when an interval spans rows
    std::uint32_t intervalsPerRow = 1;  // more than 1 when intervals split a row
    // Some colour is stored at fewer rows than the image has: the decoder's smooth upsampling
    // then reads the neighbouring row of that colour, which for a pixel row at the top or the
    // bottom of a row of MCUs lies in the row of MCUs above or below.
    bool verticalUpsampling = false;
};

// The rows of MCUs to decode for the given pixel rows (ascending): the rows that hold them,
// and, where upsampling reads across, the neighbouring row.
std::vector<std::uint32_t> mcuRowsFor(const RestartLayout& layout,
                                      const std::vector<std::uint32_t>& pixelRows);

// The layout of a JPEG's bytes, or nothing when the photo is not such a photo or anything does
// not add up: progressive or arithmetic coding, more than one scan, no restart interval or one
// that does not fit the rows, another marker among the intervals, a restart marker out of turn,
// a count of intervals that does not match the frame, or no end of image.
std::optional<RestartLayout> findRestartLayout(std::span<const unsigned char> jpeg);

// The photo cut down to the rows of MCUs that hold the given pixel rows: its headers with the
// frame's height made that of the rows kept, and the intervals that hold them with their
// restart markers numbered anew. `mcuRows` gives, in order, the photo's rows of MCUs the cut
// photo is made of.
struct RowCut {
    std::string bytes;
    std::vector<std::uint32_t> mcuRows;
};
RowCut cutToRows(std::span<const unsigned char> jpeg, const RestartLayout& layout,
                 std::uint32_t imageHeight, const std::vector<std::uint32_t>& neededMcuRows);

}  // namespace pixmosa
