#include "thumbs/restart_layout.h"

#include <algorithm>
#include <cstring>

namespace pixmosa {

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kFirstRestart = 0xD0;
constexpr unsigned char kLastRestart = 0xD7;
constexpr unsigned char kBaselineFrame = 0xC0;
constexpr unsigned char kExtendedFrame = 0xC1;
constexpr unsigned char kHuffmanTable = 0xC4;
constexpr unsigned char kQuantTable = 0xDB;
constexpr unsigned char kRestartInterval = 0xDD;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kComment = 0xFE;

// How much of a photo is read at a time, by the layout's pass and by the cut's decoder.
constexpr std::size_t kWindowBytes = 64 * 1024;
// The tables and headers a baseline decoder needs fit in far less; more is no photo of ours.
constexpr std::size_t kMostHeaderBytes = 1 << 20;

std::uint32_t ceilDiv(std::uint32_t a, std::uint32_t b)
{
    return (a + b - 1) / b;
}

// A window onto the photo's bytes that moves forward as they are asked for.
class Window {
public:
    Window(const PhotoBytes& photo, std::vector<unsigned char>& buffer)
        : m_photo(photo), m_buffer(buffer)
    {
        m_buffer.resize(kWindowBytes);
    }

    // The byte at a position; nothing past the end or where the read fails.
    std::optional<unsigned char> at(std::uint64_t position)
    {
        if (!holds(position) && !load(position)) {
            return std::nullopt;
        }
        return m_buffer[position - m_start];
    }

    std::optional<std::uint32_t> bigEndian16(std::uint64_t position)
    {
        const std::optional<unsigned char> high = at(position);
        const std::optional<unsigned char> low = at(position + 1);
        if (!high || !low) {
            return std::nullopt;
        }
        return (std::uint32_t{*high} << 8) | *low;
    }

    // Appends `count` bytes from a position; false where they are not all there.
    bool copy(std::uint64_t position, std::size_t count, std::string& into)
    {
        for (std::size_t i = 0; i < count; ++i) {
            const std::optional<unsigned char> byte = at(position + i);
            if (!byte) {
                return false;
            }
            into += static_cast<char>(*byte);
        }
        return true;
    }

    // The next position from `from` on that holds a marker byte; nothing at the end.
    std::optional<std::uint64_t> nextMarkerByte(std::uint64_t from)
    {
        for (;;) {
            if (!holds(from) && !load(from)) {
                return std::nullopt;
            }
            const std::size_t offset = static_cast<std::size_t>(from - m_start);
            const void* found = std::memchr(m_buffer.data() + offset, kMarker, m_length - offset);
            if (found != nullptr) {
                return m_start + static_cast<std::size_t>(static_cast<const unsigned char*>(found) -
                                                          m_buffer.data());
            }
            from = m_start + m_length;
        }
    }

private:
    bool holds(std::uint64_t position) const
    {
        return position >= m_start && position - m_start < m_length;
    }
    bool load(std::uint64_t position)
    {
        const std::optional<std::size_t> got = m_photo.readAt(position, m_buffer);
        m_start = position;
        m_length = got.value_or(0);
        return m_length > 0;
    }

    const PhotoBytes& m_photo;
    std::vector<unsigned char>& m_buffer;
    std::uint64_t m_start = 0;
    std::size_t m_length = 0;
};

struct Frame {
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::uint32_t components = 0;
    std::uint32_t maxH = 1;
    std::uint32_t maxV = 1;
    std::uint32_t minV = 4;
};

// Reads the frame header whose body starts at `body`; nothing when it is none a baseline
// decoder of 8-bit samples reads.
std::optional<Frame> readFrame(Window& bytes, std::uint64_t body, std::uint32_t length)
{
    const std::optional<unsigned char> precision = bytes.at(body);
    const std::optional<std::uint32_t> height = bytes.bigEndian16(body + 1);
    const std::optional<std::uint32_t> width = bytes.bigEndian16(body + 3);
    const std::optional<unsigned char> components = bytes.at(body + 5);
    if (length < 8 || !precision || !height || !width || !components || *precision != 8 ||
        *height == 0 || *width == 0 || *components == 0 || length != 8 + 3u * *components) {
        return std::nullopt;
    }
    Frame frame{*height, *width, *components};
    for (std::uint32_t c = 0; c < frame.components; ++c) {
        const std::optional<unsigned char> factors = bytes.at(body + 6 + 3 * c + 1);
        if (!factors) {
            return std::nullopt;
        }
        const std::uint32_t h = *factors >> 4;
        const std::uint32_t v = *factors & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4) {
            return std::nullopt;
        }
        frame.maxH = std::max(frame.maxH, h);
        frame.maxV = std::max(frame.maxV, v);
        frame.minV = std::min(frame.minV, v);
    }
    return frame;
}

}  // namespace

PhotoBytes photoBytesIn(std::span<const unsigned char> bytes)
{
    return {[bytes](std::uint64_t offset, std::span<unsigned char> into) {
        if (offset >= bytes.size()) {
            return std::optional<std::size_t>(0);
        }
        const std::size_t count =
            std::min<std::size_t>(into.size(), bytes.size() - static_cast<std::size_t>(offset));
        std::memcpy(into.data(), bytes.data() + offset, count);
        return std::optional<std::size_t>(count);
    }};
}

std::optional<RestartLayout> findRestartLayout(std::span<const unsigned char> jpeg)
{
    std::vector<unsigned char> window;
    return findRestartLayout(photoBytesIn(jpeg), window);
}

std::optional<RestartLayout> findRestartLayout(const PhotoBytes& photo,
                                               std::vector<unsigned char>& window)
{
    Window bytes(photo, window);
    if (bytes.at(0) != kMarker || bytes.at(1) != kStartOfImage) {
        return std::nullopt;
    }
    RestartLayout layout;
    layout.header = {static_cast<char>(kMarker), static_cast<char>(kStartOfImage)};
    std::optional<Frame> frame;
    std::uint32_t restartInterval = 0;
    std::uint64_t at = 2;
    // The segments before the scan: only those a baseline decoder reads are allowed, and only
    // those it needs are kept.
    for (;;) {
        while (bytes.at(at) == kMarker && bytes.at(at + 1) == kMarker) {
            ++at;  // fill bytes
        }
        const std::optional<unsigned char> marker = bytes.at(at + 1);
        const std::optional<std::uint32_t> length = bytes.bigEndian16(at + 2);
        if (bytes.at(at) != kMarker || !marker || !length || *length < 2) {
            return std::nullopt;
        }
        const std::uint64_t body = at + 4;
        const bool application = *marker >= 0xE0 && *marker <= 0xEF;
        const bool kept = !application && *marker != kComment;
        if (kept && layout.header.size() + 2 + *length > kMostHeaderBytes) {
            return std::nullopt;
        }
        if (*marker == kBaselineFrame || *marker == kExtendedFrame) {
            if (frame || !(frame = readFrame(bytes, body, *length))) {
                return std::nullopt;
            }
            layout.heightField = layout.header.size() + 5;
        } else if (*marker == kRestartInterval) {
            const std::optional<std::uint32_t> interval = bytes.bigEndian16(body);
            if (*length != 4 || !interval) {
                return std::nullopt;
            }
            restartInterval = *interval;
        } else if (*marker == kStartOfScan) {
            const std::optional<unsigned char> inScan = bytes.at(body);
            if (!frame || !inScan || *inScan != frame->components || *length != 6 + 2u * *inScan) {
                return std::nullopt;
            }
            const std::uint64_t tail = body + 1 + 2 * std::uint64_t{*inScan};
            if (bytes.at(tail) != 0 || bytes.at(tail + 1) != 63 || bytes.at(tail + 2) != 0) {
                return std::nullopt;
            }
        } else if (*marker != kHuffmanTable && *marker != kQuantTable && !application &&
                   *marker != kComment) {
            return std::nullopt;
        }
        if (kept && !bytes.copy(at, 2 + *length, layout.header)) {
            return std::nullopt;
        }
        at += 2 + *length;
        if (*marker == kStartOfScan) {
            break;
        }
    }
    if (restartInterval == 0) {
        return std::nullopt;
    }

    layout.width = frame->width;
    layout.height = frame->height;
    std::uint32_t mcusPerRow = 0;
    if (frame->components == 1) {
        // One component is coded block by block, whatever its sampling factors.
        layout.mcuHeight = 8;
        mcusPerRow = ceilDiv(frame->width, 8);
    } else {
        layout.mcuHeight = 8 * frame->maxV;
        mcusPerRow = ceilDiv(frame->width, 8 * frame->maxH);
    }
    layout.mcuRows = ceilDiv(frame->height, layout.mcuHeight);
    layout.verticalUpsampling = frame->components > 1 && frame->minV < frame->maxV;
    if (restartInterval % mcusPerRow == 0) {
        layout.rowsPerInterval = restartInterval / mcusPerRow;
    } else if (mcusPerRow % restartInterval == 0) {
        layout.intervalsPerRow = mcusPerRow / restartInterval;
    } else {
        return std::nullopt;
    }
    const std::uint64_t mcus = std::uint64_t{mcusPerRow} * layout.mcuRows;
    const std::uint64_t expected = (mcus + restartInterval - 1) / restartInterval;

    // The entropy-coded bytes, cut at the restart markers. A marker byte is followed by 0x00
    // where it is data, by fill bytes, or by the marker's code.
    std::uint64_t begin = at;
    for (std::uint64_t i = at;;) {
        const std::optional<std::uint64_t> marker = bytes.nextMarkerByte(i);
        if (!marker) {
            return std::nullopt;
        }
        std::uint64_t code = *marker + 1;
        std::optional<unsigned char> value;
        while ((value = bytes.at(code)) == kMarker) {
            ++code;
        }
        if (!value) {
            return std::nullopt;
        }
        if (*value == 0x00) {
            i = code + 1;
            continue;
        }
        if (*value == kEndOfImage) {
            layout.intervals.emplace_back(begin, *marker);
            return layout.intervals.size() == expected ? std::optional(std::move(layout))
                                                       : std::nullopt;
        }
        const auto turn = static_cast<unsigned char>(kFirstRestart + layout.intervals.size() % 8);
        if (*value < kFirstRestart || *value > kLastRestart || *value != turn ||
            layout.intervals.size() + 1 >= expected) {
            return std::nullopt;
        }
        layout.intervals.emplace_back(begin, *marker);
        begin = code + 1;
        i = code + 1;
    }
}

std::vector<std::uint32_t> mcuRowsFor(const RestartLayout& layout,
                                      const std::vector<std::uint32_t>& pixelRows)
{
    std::vector<std::uint32_t> rows;
    const auto add = [&rows](std::uint32_t row) {
        if (rows.empty() || rows.back() < row) {
            rows.push_back(row);
        }
    };
    for (const std::uint32_t pixelRow : pixelRows) {
        const std::uint32_t row = pixelRow / layout.mcuHeight;
        const std::uint32_t within = pixelRow % layout.mcuHeight;
        if (row >= layout.mcuRows) {
            break;
        }
        if (layout.verticalUpsampling && within == 0 && row > 0) {
            add(row - 1);
        }
        add(row);
        if (layout.verticalUpsampling && within == layout.mcuHeight - 1 &&
            row + 1 < layout.mcuRows) {
            add(row + 1);
        }
    }
    return rows;
}

RowCut::RowCut(const PhotoBytes& photo, const RestartLayout& layout,
               const std::vector<std::uint32_t>& neededMcuRows, std::vector<unsigned char>& window)
    : m_photo(photo), m_layout(layout), m_header(layout.header), m_buffer(window)
{
    // Whole intervals are kept: every row of an interval that holds a needed row, and every
    // interval of a needed row. Rows beyond the frame the layout was read with are none.
    for (const std::uint32_t row : neededMcuRows) {
        if (row >= layout.mcuRows) {
            break;
        }
        const std::uint32_t firstRow = row / layout.rowsPerInterval * layout.rowsPerInterval;
        const std::uint32_t lastRow =
            std::min(firstRow + layout.rowsPerInterval, layout.mcuRows) - 1;
        if (!m_mcuRows.empty() && m_mcuRows.back() >= firstRow) {
            continue;
        }
        const std::size_t firstInterval =
            std::size_t{firstRow} / layout.rowsPerInterval * layout.intervalsPerRow;
        if (firstInterval + layout.intervalsPerRow > layout.intervals.size()) {
            break;
        }
        for (std::uint32_t kept = firstRow; kept <= lastRow; ++kept) {
            m_mcuRows.push_back(kept);
        }
        for (std::size_t i = 0; i < layout.intervalsPerRow; ++i) {
            m_intervals.push_back(firstInterval + i);
        }
    }

    // The last row of MCUs may be partly below the image; it keeps that part only when kept.
    const std::uint32_t lastRowHeight = layout.height - (layout.mcuRows - 1) * layout.mcuHeight;
    std::uint32_t height = static_cast<std::uint32_t>(m_mcuRows.size()) * layout.mcuHeight;
    if (!m_mcuRows.empty() && m_mcuRows.back() == layout.mcuRows - 1) {
        height -= layout.mcuHeight - lastRowHeight;
    }
    m_header[layout.heightField] = static_cast<char>(height >> 8);
    m_header[layout.heightField + 1] = static_cast<char>(height & 0xFF);
}

std::span<const unsigned char> RowCut::next()
{
    const std::span<const unsigned char> piece = nextPiece();
    m_bytesGiven += piece.size();
    return piece;
}

std::span<const unsigned char> RowCut::nextPiece()
{
    if (!m_headerGiven) {
        m_headerGiven = true;
        return {reinterpret_cast<const unsigned char*>(m_header.data()), m_header.size()};
    }
    while (m_interval < m_intervals.size()) {
        const auto [begin, end] = m_layout.intervals[m_intervals[m_interval]];
        if (!m_markerGiven) {
            m_markerGiven = true;
            m_readFrom = begin;
            if (m_interval > 0) {
                m_marker[0] = kMarker;
                m_marker[1] = static_cast<unsigned char>(kFirstRestart + (m_interval - 1) % 8);
                return m_marker;
            }
        }
        if (m_readFrom >= end) {
            ++m_interval;
            m_markerGiven = false;
            continue;
        }
        // Kept intervals lie close together, so one read of a window serves several.
        if (m_readFrom < m_bufferStart || m_readFrom - m_bufferStart >= m_bufferLength) {
            m_buffer.resize(kWindowBytes);
            const std::optional<std::size_t> got = m_photo.readAt(m_readFrom, m_buffer);
            m_bufferStart = m_readFrom;
            m_bufferLength = got.value_or(0);
            if (m_bufferLength == 0) {
                return {};  // a read that fails ends the input, as the end of a file would
            }
        }
        const std::size_t offset = static_cast<std::size_t>(m_readFrom - m_bufferStart);
        const std::size_t count = static_cast<std::size_t>(
            std::min<std::uint64_t>(m_bufferLength - offset, end - m_readFrom));
        m_readFrom += count;
        return {m_buffer.data() + offset, count};
    }
    if (m_ended) {
        return {};
    }
    m_ended = true;
    m_marker[0] = kMarker;
    m_marker[1] = kEndOfImage;
    return m_marker;
}

}  // namespace pixmosa
