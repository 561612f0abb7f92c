#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
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

// A window onto a photo's bytes that moves forward as they are asked for. What it gives stays
// valid until it is asked again.
class PhotoWindow {
public:
    PhotoWindow(const PhotoBytes& photo, std::vector<unsigned char>& buffer);

    // The byte at a position; nothing past the end or where the read fails.
    std::optional<unsigned char> at(std::uint64_t position);
    std::optional<std::uint32_t> bigEndian16(std::uint64_t position);
    // Appends `count` bytes from a position; false where they are not all there.
    bool copy(std::uint64_t position, std::size_t count, std::string& into);
    // The bytes from a position to the end of the window, read from there when not held;
    // empty past the end or where the read fails.
    std::span<const unsigned char> from(std::uint64_t position);

private:
    bool holds(std::uint64_t position) const;
    bool load(std::uint64_t position);

    const PhotoBytes& m_photo;
    std::vector<unsigned char>& m_buffer;
    std::uint64_t m_start = 0;
    std::size_t m_length = 0;
};

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
    std::uint64_t scanStart = 0;    // where the entropy-coded bytes begin in the photo
    std::size_t intervalCount = 0;  // as many as the frame's MCUs make
    std::uint32_t mcuHeight = 0;    // pixel rows in one row of MCUs
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

// The layout of a photo from its segments up to the scan, or nothing when it is not such a
// photo: progressive or arithmetic coding, more than one scan, no restart interval or one that
// does not fit the rows, or a read that fails. Whether its intervals add up is found as they
// are read.
std::optional<RestartLayout> findRestartLayout(PhotoWindow& bytes);
std::optional<RestartLayout> findRestartLayout(std::span<const unsigned char> jpeg);

// The photo cut down to the rows of MCUs that hold the given rows of MCUs (ascending, within
// the frame): its header with the frame's height made that of the rows kept, and the intervals
// that hold them, with their restart markers numbered anew. `mcuRows` gives, in order, the
// photo's rows of MCUs the cut photo is made of. The photo is read once, from its scan on, as
// the decoder asks for more: the intervals between those kept are passed over as they are read.
// An interval that does not end as it should (another marker, a restart marker out of turn, more
// intervals than the frame has, the end of the image too soon, a read that fails) ends the input
// there, so the decoder finds the photo cut short.
class RowCut final : public JpegInput {
public:
    RowCut(PhotoWindow& window, const RestartLayout& layout,
           const std::vector<std::uint32_t>& neededMcuRows);

    const std::vector<std::uint32_t>& mcuRows() const { return m_mcuRows; }
    std::span<const unsigned char> next() override;
    // The bytes given to the decoder so far.
    std::uint64_t bytesGiven() const { return m_bytesGiven; }
    // Reads on to the end of the image; true when every interval ended in turn, the last with
    // the end of the image, as many as the frame has.
    bool readToEnd();

private:
    std::span<const unsigned char> nextPiece();
    // The next bytes of the interval being read; empty once it has ended, or is broken.
    std::span<const unsigned char> readInterval();

    PhotoWindow& m_window;
    std::string m_header;
    std::size_t m_intervalCount;
    std::vector<std::size_t> m_intervals;  // those kept, ascending
    std::vector<std::uint32_t> m_mcuRows;
    std::size_t m_kept = 0;      // the kept interval given next
    std::size_t m_interval = 0;  // the photo's interval being read
    std::uint64_t m_at = 0;      // where it is read on from
    bool m_headerGiven = false;
    bool m_markerGiven = false;
    bool m_ended = false;
    bool m_atEndOfImage = false;
    bool m_broken = false;
    unsigned char m_marker[2] = {};
    std::uint64_t m_bytesGiven = 0;
};

}  // namespace pixmosa
