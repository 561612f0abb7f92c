#include "thumbs/orientation.h"

#include <memory>

#include <libexif/exif-data.h>

namespace pixmosa {

namespace {

struct ExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

}  // namespace

Orientation exifOrientation(const unsigned char* segment, std::size_t length)
{
    const std::unique_ptr<ExifData, ExifDataUnref> data(exif_data_new());
    if (!data || length > UINT32_MAX) {
        return Orientation::Upright;
    }
    // By default the library adds the tags it deems mandatory, with made-up values; only what
    // the camera wrote may turn a photo.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), segment, static_cast<unsigned int>(length));
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 ||
        entry->data == nullptr || entry->size < 2) {
        return Orientation::Upright;
    }
    const ExifShort value = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
    if (value < 1 || value > 8) {
        return Orientation::Upright;
    }
    return static_cast<Orientation>(value);
}

bool swapsSides(Orientation orientation)
{
    return static_cast<int>(orientation) >= static_cast<int>(Orientation::Transpose);
}

ImageSize uprightSize(ImageSize stored, Orientation orientation)
{
    return swapsSides(orientation) ? ImageSize{stored.height, stored.width} : stored;
}

Raster turnUpright(Raster stored, Orientation orientation)
{
    if (orientation == Orientation::Upright) {
        return stored;
    }
    // Each upright pixel (x, y) comes from one stored pixel; the sides swap from 5 on, and the
    // orientation says which of the two stored coordinates run backwards.
    const bool swap = swapsSides(orientation);
    bool reverseColumns = false;
    bool reverseRows = false;
    switch (orientation) {
    case Orientation::MirrorLeftRight:
    case Orientation::TurnCounterClockwise:
        reverseColumns = true;
        break;
    case Orientation::MirrorTopBottom:
    case Orientation::TurnClockwise:
        reverseRows = true;
        break;
    case Orientation::Turn180:
    case Orientation::Transverse:
        reverseColumns = true;
        reverseRows = true;
        break;
    default:
        break;
    }
    const ImageSize size = uprightSize({stored.width, stored.height}, orientation);
    Raster upright{size.width, size.height, std::vector<unsigned char>(stored.pixels.size()),
                   std::move(stored.colourProfile)};
    unsigned char* target = upright.pixels.data();
    for (std::uint32_t y = 0; y < upright.height; ++y) {
        for (std::uint32_t x = 0; x < upright.width; ++x) {
            std::uint32_t column = swap ? y : x;
            std::uint32_t row = swap ? x : y;
            if (reverseColumns) {
                column = stored.width - 1 - column;
            }
            if (reverseRows) {
                row = stored.height - 1 - row;
            }
            const unsigned char* source =
                stored.pixels.data() + (static_cast<std::size_t>(row) * stored.width + column) * 3;
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
            target += 3;
        }
    }
    return upright;
}

}  // namespace pixmosa
