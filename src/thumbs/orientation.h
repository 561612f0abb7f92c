#pragma once

#include <cstddef>
#include <cstdint>

#include "thumbs/image_size.h"
#include "thumbs/raster.h"

namespace pixmosa {

// How a camera stored a picture, as its EXIF orientation tag names it: the transform that
// turns the stored pixels upright.
enum class Orientation : std::uint8_t {
    Upright = 1,
    MirrorLeftRight = 2,
    Turn180 = 3,
    MirrorTopBottom = 4,
    Transpose = 5,
    TurnClockwise = 6,
    Transverse = 7,
    TurnCounterClockwise = 8,
};

// The orientation in an APP1 segment's data ("Exif", two zero bytes and the TIFF structure):
// IFD0's tag 0x0112. A missing, damaged or out-of-range tag counts as upright.
Orientation exifOrientation(const unsigned char* segment, std::size_t length);

// True for the orientations whose upright picture has width and height exchanged.
bool swapsSides(Orientation orientation);
ImageSize uprightSize(ImageSize stored, Orientation orientation);

// The raster turned upright; an upright raster is left as it is.
Raster turnUpright(Raster stored, Orientation orientation);

}  // namespace pixmosa
