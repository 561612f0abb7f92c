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

std::uint32_t bigEndian16(std::span<const unsigned char> bytes, std::size_t at)
{
    return (std::uint32_t{bytes[at]} << 8) | bytes[at + 1];
}

std::uint32_t ceilDiv(std::uint32_t a, std::uint32_t b)
{
    return (a + b - 1) / b;
}

struct Frame {
    std::size_t heightField = 0;
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::uint32_t components = 0;
    std::uint32_t maxH = 1;
    std::uint32_t maxV = 1;
    std::uint32_t minV = 4;
};

}  // namespace

std::optional<RestartLayout> findRestartLayout(std::span<const unsigned char> jpeg)
{
    if (jpeg.size() < 4 || jpeg[0] != kMarker || jpeg[1] != kStartOfImage) {
        return std::nullopt;
    }
    std::optional<Frame> frame;
    std::uint32_t restartInterval = 0;
    std::size_t at = 2;
    // The segments before the scan: only those a baseline decoder reads are allowed.
    for (;;) {
        while (at < jpeg.size() && jpeg[at] == kMarker && at + 1 < jpeg.size() &&
               jpeg[at + 1] == kMarker) {
            ++at;  // fill bytes
        }
        if (at + 4 > jpeg.size() || jpeg[at] != kMarker) {
            return std::nullopt;
        }
        const unsigned char marker = jpeg[at + 1];
        const std::size_t length = bigEndian16(jpeg, at + 2);
        const std::size_t body = at + 4;
        if (length < 2 || at + 2 + length > jpeg.size()) {
            return std::nullopt;
        }
        const bool application = marker >= 0xE0 && marker <= 0xEF;
        if (marker == kBaselineFrame || marker == kExtendedFrame) {
            if (frame || length < 8) {
                return std::nullopt;
            }
            Frame found;
            found.heightField = body + 1;
            found.height = bigEndian16(jpeg, body + 1);
            found.width = bigEndian16(jpeg, body + 3);
            found.components = jpeg[body + 5];
            if (jpeg[body] != 8 || found.height == 0 || found.width == 0 || found.components == 0 ||
                length != 8 + 3 * found.components) {
                return std::nullopt;
            }
            for (std::uint32_t c = 0; c < found.components; ++c) {
                const unsigned char factors = jpeg[body + 6 + 3 * c + 1];
                const std::uint32_t h = factors >> 4;
                const std::uint32_t v = factors & 15;
                if (h < 1 || h > 4 || v < 1 || v > 4) {
                    return std::nullopt;
                }
                found.maxH = std::max(found.maxH, h);
                found.maxV = std::max(found.maxV, v);
                found.minV = std::min(found.minV, v);
            }
            frame = found;
        } else if (marker == kRestartInterval) {
            if (length != 4) {
                return std::nullopt;
            }
            restartInterval = bigEndian16(jpeg, body);
        } else if (marker == kStartOfScan) {
            if (!frame || length < 6) {
                return std::nullopt;
            }
            const std::uint32_t inScan = jpeg[body];
            const std::size_t tail = body + 1 + 2 * inScan;
            if (inScan != frame->components || length != 6 + 2 * inScan || jpeg[tail] != 0 ||
                jpeg[tail + 1] != 63 || jpeg[tail + 2] != 0) {
                return std::nullopt;
            }
            at += 2 + length;
            break;
        } else if (marker != kHuffmanTable && marker != kQuantTable && marker != kComment &&
                   !application) {
            return std::nullopt;
        }
        at += 2 + length;
    }
    if (restartInterval == 0) {
        return std::nullopt;
    }

    RestartLayout layout;
    layout.heightField = frame->heightField;
    layout.entropyStart = at;
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
    std::size_t begin = at;
    for (std::size_t i = at; i + 1 < jpeg.size(); ++i) {
        const void* marker = std::memchr(jpeg.data() + i, kMarker, jpeg.size() - i);
        if (marker == nullptr) {
            break;
        }
        i = static_cast<std::size_t>(static_cast<const unsigned char*>(marker) - jpeg.data());
        std::size_t code = i + 1;
        while (code < jpeg.size() && jpeg[code] == kMarker) {
            ++code;
        }
        if (code >= jpeg.size()) {
            return std::nullopt;
        }
        if (jpeg[code] == 0x00) {
            i = code;
            continue;
        }
        if (jpeg[code] == kEndOfImage) {
            layout.intervals.emplace_back(begin, i);
            return layout.intervals.size() == expected ? std::optional(layout) : std::nullopt;
        }
        const auto turn = static_cast<unsigned char>(kFirstRestart + layout.intervals.size() % 8);
        if (jpeg[code] < kFirstRestart || jpeg[code] > kLastRestart || jpeg[code] != turn ||
            layout.intervals.size() + 1 >= expected) {
            return std::nullopt;
        }
        layout.intervals.emplace_back(begin, i);
        begin = code + 1;
        i = code;
    }
    return std::nullopt;
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

RowCut cutToRows(std::span<const unsigned char> jpeg, const RestartLayout& layout,
                 std::uint32_t imageHeight, const std::vector<std::uint32_t>& neededMcuRows)
{
    // Whole intervals are kept: every row of an interval that holds a needed row, and every
    // interval of a needed row.
    std::vector<std::size_t> intervals;
    RowCut cut;
    for (const std::uint32_t row : neededMcuRows) {
        const std::uint32_t firstRow = row / layout.rowsPerInterval * layout.rowsPerInterval;
        const std::uint32_t lastRow =
            std::min(firstRow + layout.rowsPerInterval, layout.mcuRows) - 1;
        if (!cut.mcuRows.empty() && cut.mcuRows.back() >= firstRow) {
            continue;
        }
        for (std::uint32_t kept = firstRow; kept <= lastRow; ++kept) {
            cut.mcuRows.push_back(kept);
        }
        const std::size_t firstInterval =
            std::size_t{firstRow} / layout.rowsPerInterval * layout.intervalsPerRow;
        for (std::size_t i = 0; i < layout.intervalsPerRow; ++i) {
            intervals.push_back(firstInterval + i);
        }
    }

    // The last row of MCUs may be partly below the image; it keeps that part only when kept.
    const std::uint32_t lastRowHeight = imageHeight - (layout.mcuRows - 1) * layout.mcuHeight;
    std::uint32_t height = static_cast<std::uint32_t>(cut.mcuRows.size()) * layout.mcuHeight;
    if (!cut.mcuRows.empty() && cut.mcuRows.back() == layout.mcuRows - 1) {
        height -= layout.mcuHeight - lastRowHeight;
    }

    cut.bytes.assign(reinterpret_cast<const char*>(jpeg.data()), layout.entropyStart);
    cut.bytes[layout.heightField] = static_cast<char>(height >> 8);
    cut.bytes[layout.heightField + 1] = static_cast<char>(height & 0xFF);
    for (std::size_t n = 0; n < intervals.size(); ++n) {
        if (n > 0) {
            cut.bytes += static_cast<char>(kMarker);
            cut.bytes += static_cast<char>(kFirstRestart + (n - 1) % 8);
        }
        const auto [begin, end] = layout.intervals[intervals[n]];
        cut.bytes.append(reinterpret_cast<const char*>(jpeg.data()) + begin, end - begin);
    }
    cut.bytes += static_cast<char>(kMarker);
    cut.bytes += static_cast<char>(kEndOfImage);
    return cut;
}

}  // namespace pixmosa
