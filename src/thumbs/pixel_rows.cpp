#include "thumbs/pixel_rows.h"

#include <cstddef>

namespace pixmosa {

void sampleRow(const unsigned char* sourceRow, int bytesPerPixel, bool invertedCmyk,
               const std::vector<std::uint32_t>& columns, unsigned char* target)
{
    for (const std::uint32_t column : columns) {
        const unsigned char* pixel = sourceRow + static_cast<std::size_t>(column) * bytesPerPixel;
        if (bytesPerPixel == 3) {
            target[0] = pixel[0];
            target[1] = pixel[1];
            target[2] = pixel[2];
        } else {
            // CMYK: ink over white. Adobe stores the channels inverted, as the amounts of light.
            const auto light = [invertedCmyk](unsigned char value) {
                return invertedCmyk ? value : 255 - value;
            };
            const int black = light(pixel[3]);
            for (int channel = 0; channel < 3; ++channel) {
                target[channel] =
                    static_cast<unsigned char>((light(pixel[channel]) * black + 127) / 255);
            }
        }
        target += 3;
    }
}

}  // namespace pixmosa
