// Writes the photographs of the browser test: each is one scene, sky above ground with a sun
// at the top left, so a picture shown on its side or upside down shows at once. A photo with
// an orientation is stored turned the other way, as a camera held that way stores it.
//
//   make_test_photos DIR WIDTHxHEIGHT[@ORIENTATION][/grey|/cmyk] NAME [...]
//
// WIDTH and HEIGHT are those of the upright picture. /grey stores it as grey levels, /cmyk as
// Adobe's inverted CMYK whose inks are the amounts of light of red, green and blue.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/jpeg_fixtures.h"
#include "thumbs/orientation.h"

namespace {

using pixmosa::Orientation;
using pixmosa::Raster;

Raster scene(std::uint32_t width, std::uint32_t height)
{
    Raster raster{width, height, {}};
    const double sunX = width * 0.2;
    const double sunY = height * 0.15;
    const double sunRadius = std::min(width, height) * 0.08;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const double dx = x - sunX;
            const double dy = y - sunY;
            unsigned char pixel[3];
            if (dx * dx + dy * dy < sunRadius * sunRadius) {
                pixel[0] = 230, pixel[1] = 60, pixel[2] = 40;
            } else if (y < height * 0.45) {
                pixel[0] = 80, pixel[1] = 140, pixel[2] = 230;
            } else if (y < height * 0.55) {
                pixel[0] = 150, pixel[1] = 150, pixel[2] = 150;
            } else {
                pixel[0] = 40, pixel[1] = 160, pixel[2] = 60;
            }
            raster.pixels.insert(raster.pixels.end(), pixel, pixel + 3);
        }
    }
    return raster;
}

// The transform that undoes turning upright by `orientation`.
Orientation inverse(Orientation orientation)
{
    switch (orientation) {
    case Orientation::TurnClockwise:
        return Orientation::TurnCounterClockwise;
    case Orientation::TurnCounterClockwise:
        return Orientation::TurnClockwise;
    default:
        return orientation;  // every other transform undoes itself
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: %s DIR WIDTHxHEIGHT[@ORIENTATION][/grey|/cmyk] NAME ...\n",
                     argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        unsigned width = 0;
        unsigned height = 0;
        int orientation = 0;
        if (std::sscanf(argv[i], "%ux%u@%d", &width, &height, &orientation) < 2 || width == 0 ||
            height == 0 || orientation < 0 || orientation > 8) {
            std::fprintf(stderr, "bad size: %s\n", argv[i]);
            return 2;
        }
        Raster stored = scene(width, height);
        if (orientation > 1) {
            stored = pixmosa::turnUpright(std::move(stored),
                                          inverse(static_cast<Orientation>(orientation)));
        }
        pixmosa::test::TestImage image{static_cast<int>(stored.width),
                                       static_cast<int>(stored.height), 3,
                                       std::move(stored.pixels)};
        const std::string_view kind = std::strchr(argv[i], '/') ? std::strchr(argv[i], '/') : "";
        if (kind == "/grey" || kind == "/cmyk") {
            std::vector<unsigned char> pixels;
            for (std::size_t p = 0; p < image.pixels.size(); p += 3) {
                const unsigned char* rgb = image.pixels.data() + p;
                if (kind == "/grey") {
                    pixels.push_back(static_cast<unsigned char>(
                        (rgb[0] * 299 + rgb[1] * 587 + rgb[2] * 114 + 500) / 1000));
                } else {
                    pixels.insert(pixels.end(), {rgb[0], rgb[1], rgb[2], 255});
                }
            }
            image.components = kind == "/grey" ? 1 : 4;
            image.pixels = std::move(pixels);
        }
        const std::string jpeg = orientation > 0
                                     ? pixmosa::test::encodeJpegWithOrientation(image, orientation)
                                     : pixmosa::test::encodeJpeg(image);
        std::ofstream out(dir + "/" + argv[i + 1], std::ios::binary);
        out << jpeg;
        if (!out.flush()) {
            std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
