#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "thumbs/jpeg_decoder.h"

namespace pixmosa {

// A photo's bytes, read by their position: from its open file, so that everything a thumbnail
// is made of comes from the one file that was opened, or from memory.
struct PhotoBytes {
    // Reads up to `into.size()` bytes at `offset`; how many were read (fewer at the end), or
    // nothing on an error.
    std::function<std::optional<std::size_t>(std::uint64_t offset, std::span<unsigned char> into)>
        readAt;
};
PhotoBytes photoBytesIn(std::span<const unsigned char> bytes);

// A baseline photo written with a restart marker at the end of every row of MCUs, of every few
// rows, or of every equal part of a row, as phones and photo editors write them. Each restart
// interval decodes on its own, so the rows a thumbnail samples can be decoded without the
// others.
struct RestartLayout {
    // The segments a decoder needs, from the start of the image to the end of the scan header
    // (tables, frame, restart interval, scan), and where among them the frame's height is.
    std::string header;
    std::size_t heightField = 0;
    std::uint32_t width = 0;  // the frame's, as these bytes give it
    std::uint32_t height = 0;
    // Each interval's entropy-coded bytes, [begin, end) in the photo, its restart marker excluded.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> intervals;
    std::uint32_t mcuHeight = 0;  // pixel rows in one row of MCUs
    std::uint32_t mcuRows = 0;
    std::uint32_t rowsPerInterval = 1;  // more than 1 when an interval spans rows
    std::uint32_t intervalsPerRow = 1;  // more than 1 when intervals split a row
    // Some colour is stored at fewer rows than the image has: the decoder's smooth upsampling
    // then reads the neighbouring row of that colour, which for a pixel row at the top or the
    // bottom of a row of MCUs lies in the row of MCUs above or below.
    bool verticalUpsampling = false;
};

// The rows of MCUs to decode for the given pixel rows (ascending, each within the frame): the
// rows that hold them, and, where upsampling reads across, the neighbouring row.
std::vector<std::uint32_t> mcuRowsFor(const RestartLayout& layout,
                                      const std::vector<std::uint32_t>& pixelRows);

// The layout of a photo, read once through with a small window, or nothing when the photo is
// not such a photo or anything does not add up: progressive or arithmetic coding, more than one
// scan, no restart interval or one that does not fit the rows, another marker among the
// intervals, a restart marker out of turn, a count of intervals that does not match the frame,
// no end of image, or a read that fails.
std::optional<RestartLayout> findRestartLayout(const PhotoBytes& photo,
                                               std::vector<unsigned char>& window);
std::optional<RestartLayout> findRestartLayout(std::span<const unsigned char> jpeg);

// The photo cut down to the rows of MCUs that hold the given rows of MCUs (ascending, within
// the frame): its header with the frame's height made that of the rows kept, and the intervals
// that hold them, read from the photo as the decoder asks for them, with their restart markers
// numbered anew. `mcuRows` gives, in order, the photo's rows of MCUs the cut photo is made of.
// Both read the photo through `window`, which may serve one after the other.
class RowCut final : public JpegInput {
public:
    RowCut(const PhotoBytes& photo, const RestartLayout& layout,
           const std::vector<std::uint32_t>& neededMcuRows, std::vector<unsigned char>& window);

    const std::vector<std::uint32_t>& mcuRows() const { return m_mcuRows; }
    std::span<const unsigned char> next() override;
    // The bytes given to the decoder so far.
    std::uint64_t bytesGiven() const { return m_bytesGiven; }

private:
    std::span<const unsigned char> nextPiece();

    const PhotoBytes& m_photo;
    const RestartLayout& m_layout;
    std::string m_header;
    std::vector<std::size_t> m_intervals;
    std::vector<std::uint32_t> m_mcuRows;
    // Where the next piece comes from: the header, then, interval by interval, its restart
    // marker (from the second on) and its bytes, then the end of the image.
    std::size_t m_interval = 0;
    std::uint64_t m_readFrom = 0;
    bool m_headerGiven = false;
    bool m_markerGiven = false;
    bool m_ended = false;
    unsigned char m_marker[2] = {};
    std::vector<unsigned char>& m_buffer;
    std::uint64_t m_bufferStart = 0;  // where in the photo the buffer's bytes are from
    std::size_t m_bufferLength = 0;
    std::uint64_t m_bytesGiven = 0;
};

}  // namespace pixmosa
