#pragma once

#include <optional>

namespace pixmosa {

struct PreviewBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PreviewBox&, const PreviewBox&) = default;
};

// The preview box fitted to a picture of width x height, from the box's current size: an
// upright picture keeps the box's height, a wide or square one its width, and the box is
// centred under the list. A picture without a size (an empty file reads as 0 x 0) gives
// nothing: the box keeps its frame and shows no picture.
std::optional<PreviewBox> fitPreview(const PreviewBox& current, const PreviewBox& list,
                                     int pictureWidth, int pictureHeight);

}  // namespace pixmosa
