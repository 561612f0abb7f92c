#include "window/upright_picture.h"

#include <cstring>

namespace pixmosa {

QImage uprightPicture(const QImage& stored, Orientation orientation)
{
    if (orientation == Orientation::Upright) {
        return stored;
    }
    const QImage rgb = stored.convertToFormat(QImage::Format_RGB888);
    const auto rowBytes = static_cast<std::size_t>(rgb.width()) * 3;
    Raster raster{static_cast<std::uint32_t>(rgb.width()), static_cast<std::uint32_t>(rgb.height()),
                  std::vector<unsigned char>(rowBytes * static_cast<std::size_t>(rgb.height()))};
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(raster.pixels.data() + rowBytes * static_cast<std::size_t>(y),
                    rgb.constScanLine(y), rowBytes);
    }
    const Raster upright = turnUpright(std::move(raster), orientation);
    QImage picture(static_cast<int>(upright.width), static_cast<int>(upright.height),
                   QImage::Format_RGB888);
    const auto uprightRowBytes = static_cast<std::size_t>(upright.width) * 3;
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(picture.scanLine(y),
                    upright.pixels.data() + uprightRowBytes * static_cast<std::size_t>(y),
                    uprightRowBytes);
    }
    return picture;
}

}  // namespace pixmosa
