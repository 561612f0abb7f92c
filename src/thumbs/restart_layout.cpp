#include "thumbs/restart_layout.h"

#include <algorithm>
#include <cstring>

namespace pixmosa {

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kFirstRestart = 0xD0;
constexpr unsigned char kBaselineFrame = 0xC0;
constexpr unsigned char kExtendedFrame = 0xC1;
constexpr unsigned char kHuffmanTable = 0xC4;
constexpr unsigned char kQuantTable = 0xDB;
constexpr unsigned char kRestartInterval = 0xDD;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kComment = 0xFE;

// How much of a photo is read at a time.
constexpr std::size_t kWindowBytes = 64 * 1024;
// The tables and headers a baseline decoder needs fit in far less; more is no photo of ours.
constexpr std::size_t kMostHeaderBytes = 1 << 20;

std::uint32_t ceilDiv(std::uint32_t a, std::uint32_t b)
{
    return (a + b - 1) / b;
}

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
std::optional<Frame> readFrame(PhotoWindow& bytes, std::uint64_t body, std::uint32_t length)
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

PhotoWindow::PhotoWindow(const PhotoBytes& photo, std::vector<unsigned char>& buffer)
    : m_photo(photo), m_buffer(buffer)
{
    m_buffer.resize(kWindowBytes);
}

std::optional<unsigned char> PhotoWindow::at(std::uint64_t position)
{
    if (!holds(position) && !load(position)) {
        return std::nullopt;
    }
    return m_buffer[position - m_start];
}

std::optional<std::uint32_t> PhotoWindow::bigEndian16(std::uint64_t position)
{
    const std::optional<unsigned char> high = at(position);
    const std::optional<unsigned char> low = at(position + 1);
    if (!high || !low) {
        return std::nullopt;
    }
    return (std::uint32_t{*high} << 8) | *low;
}

bool PhotoWindow::copy(std::uint64_t position, std::size_t count, std::string& into)
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

std::span<const unsigned char> PhotoWindow::from(std::uint64_t position)
{
    if (!holds(position) && !load(position)) {
        return {};
    }
    const auto offset = static_cast<std::size_t>(position - m_start);
    return {m_buffer.data() + offset, m_length - offset};
}

bool PhotoWindow::holds(std::uint64_t position) const
{
    return position >= m_start && position - m_start < m_length;
}

bool PhotoWindow::load(std::uint64_t position)
{
    const std::optional<std::size_t> got = m_photo.readAt(position, m_buffer);
    m_start = position;
    m_length = got.value_or(0);
    return m_length > 0;
}

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
    const PhotoBytes photo = photoBytesIn(jpeg);
    std::vector<unsigned char> buffer;
    PhotoWindow window(photo, buffer);
    return findRestartLayout(window);
}

std::optional<RestartLayout> findRestartLayout(PhotoWindow& bytes)
{
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
    layout.intervalCount = static_cast<std::size_t>((mcus + restartInterval - 1) / restartInterval);
    layout.scanStart = at;
    return layout;
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

RowCut::RowCut(PhotoWindow& window, const RestartLayout& layout,
               const std::vector<std::uint32_t>& neededMcuRows)
    : m_window(window),
      m_header(layout.header),
      m_intervalCount(layout.intervalCount),
      m_at(layout.scanStart)
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
        if (firstInterval + layout.intervalsPerRow > layout.intervalCount) {
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

bool RowCut::readToEnd()
{
    while (!m_broken && !m_atEndOfImage) {
        readInterval();
    }
    return !m_broken;
}

std::span<const unsigned char> RowCut::nextPiece()
{
    if (!m_headerGiven) {
        m_headerGiven = true;
        return {reinterpret_cast<const unsigned char*>(m_header.data()), m_header.size()};
    }
    while (m_kept < m_intervals.size() && !m_broken) {
        if (m_interval < m_intervals[m_kept]) {
            readInterval();  // passed over
            continue;
        }
        if (!m_markerGiven) {
            m_markerGiven = true;
            if (m_kept > 0) {
                m_marker[0] = kMarker;
                m_marker[1] = static_cast<unsigned char>(kFirstRestart + (m_kept - 1) % 8);
                return m_marker;
            }
        }
        const std::span<const unsigned char> piece = readInterval();
        if (!piece.empty()) {
            return piece;
        }
        ++m_kept;
        m_markerGiven = false;
    }
    if (m_broken || m_ended) {
        return {};
    }
    m_ended = true;
    m_marker[0] = kMarker;
    m_marker[1] = kEndOfImage;
    return m_marker;
}

std::span<const unsigned char> RowCut::readInterval()
{
    if (m_broken || m_atEndOfImage) {
        return {};
    }
    // As much as the window holds up to the next marker: a marker byte followed by a zero is
    // data, and is given with its zero when both are in the window.
    const std::span<const unsigned char> held = m_window.from(m_at);
    std::size_t length = 0;
    while (length < held.size()) {
        const void* found = std::memchr(held.data() + length, kMarker, held.size() - length);
        if (found == nullptr) {
            length = held.size();
            break;
        }
        const auto marker =
            static_cast<std::size_t>(static_cast<const unsigned char*>(found) - held.data());
        if (marker + 1 < held.size() && held[marker + 1] == 0x00) {
            length = marker + 2;
            continue;
        }
        length = marker;
        break;
    }
    if (length > 0) {
        m_at += length;
        return held.first(length);
    }
    if (held.empty()) {
        m_broken = true;
        return {};
    }

    // A marker byte, whose next byte lies beyond the window or is not a zero: fill bytes may
    // stand before the marker's code.
    std::uint64_t code = m_at + 1;
    std::optional<unsigned char> value;
    while ((value = m_window.at(code)) == kMarker) {
        ++code;
    }
    if (value == 0x00) {
        static constexpr unsigned char kDataMarkerByte[2] = {kMarker, 0x00};
        m_at = code + 1;
        return kDataMarkerByte;
    }
    const auto turn = static_cast<unsigned char>(kFirstRestart + m_interval % 8);
    ++m_interval;
    m_at = code + 1;
    if (value == kEndOfImage) {
        m_atEndOfImage = true;
        m_broken = m_interval != m_intervalCount;
    } else if (value != turn || m_interval >= m_intervalCount) {
        m_broken = true;
    }
    return {};
}

}  // namespace pixmosa
