#include "thumbs/row_reading.h"

#include <algorithm>

#include "thumbs/pixel_rows.h"

namespace pixmosa {

bool readSampledRows(JpegDecoder& decoder, const std::vector<std::uint32_t>& rows,
                     const std::vector<std::uint32_t>& columns, Raster& raster,
                     const CmykConversion* fromCmyk)
{
    decoder.transformOnlyColumns(columns);
    const int bytesPerPixel = decoder.bytesPerPixel();
    const std::uint32_t height = decoder.outputHeight();
    std::vector<unsigned char> sourceRow(static_cast<std::size_t>(decoder.outputWidth()) *
                                         bytesPerPixel);
    const std::size_t targetStride = static_cast<std::size_t>(raster.width) * 3;
    std::vector<unsigned char> sampled(fromCmyk != nullptr ? columns.size() * 4 : 0);
    // The library skips correctly only whole groups of rows from a group's start, so the rows
    // before the next group start, and those after the last whole group, are read instead.
    const std::uint32_t group = std::max<std::uint32_t>(decoder.rowGroupHeight(), 1);
    std::uint32_t nextRow = 0;  // the row the decoder gives next
    const auto readRow = [&](std::uint32_t row) {
        while (nextRow < row && nextRow % group != 0) {
            if (!decoder.readRow(sourceRow.data())) {
                return false;
            }
            ++nextRow;
        }
        const std::uint32_t skipped = (row - nextRow) / group * group;
        if (skipped > 0 && !decoder.skipRows(skipped)) {
            return false;
        }
        for (nextRow += skipped; nextRow < row; ++nextRow) {
            if (!decoder.readRow(sourceRow.data())) {
                return false;
            }
        }
        nextRow = row + 1;
        return decoder.readRow(sourceRow.data());
    };
    for (std::uint32_t targetRow = 0; targetRow < raster.height; ++targetRow) {
        const std::uint32_t row = rows[targetRow];
        if (row + 1 != nextRow && !readRow(row)) {
            return false;
        }
        unsigned char* target = raster.pixels.data() + targetRow * targetStride;
        if (fromCmyk != nullptr && bytesPerPixel == 4) {
            for (std::size_t i = 0; i < columns.size(); ++i) {
                std::copy_n(sourceRow.data() + std::size_t{columns[i]} * 4, 4,
                            sampled.data() + i * 4);
            }
            fromCmyk->convert(sampled.data(), target, columns.size());
        } else {
            sampleRow(sourceRow.data(), bytesPerPixel, decoder.invertedCmyk(), columns, target);
        }
    }
    if (nextRow < height && !readRow(height - 1)) {
        return false;
    }
    return decoder.finish();
}

}  // namespace pixmosa
