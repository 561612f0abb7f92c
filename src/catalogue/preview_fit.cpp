#include "catalogue/preview_fit.h"

#include "common/rounding.h"

namespace pixmosa {

std::optional<PreviewBox> fitPreview(const PreviewBox& current, const PreviewBox& list,
                                     int pictureWidth, int pictureHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        return std::nullopt;
    }
    const double ratio = pictureHeight > pictureWidth
                             ? static_cast<double>(current.height) / pictureHeight
                             : static_cast<double>(current.width) / pictureWidth;
    PreviewBox fitted = current;
    fitted.height = static_cast<int>(roundHalfEven(pictureHeight * ratio));
    fitted.width = static_cast<int>(roundHalfEven(pictureWidth * ratio));
    fitted.left = list.left + static_cast<int>(roundHalfEven((list.width - fitted.width) / 2.0));
    return fitted;
}

}  // namespace pixmosa
