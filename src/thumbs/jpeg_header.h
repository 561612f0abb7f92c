#pragma once

#include <string>

#include "common/result.h"
#include "thumbs/image_size.h"
#include "thumbs/orientation.h"

namespace pixmosa {

// What a JPEG file's header says, read without decoding the image: the stored width and
// height, and how the stored pixels must be turned to stand upright.
struct JpegFrame {
    ImageSize stored;
    Orientation orientation = Orientation::Upright;

    // The size of the picture as a browser shows it, turned upright.
    ImageSize upright() const;
};
Result<JpegFrame> readJpegFrame(const std::string& path);

}  // namespace pixmosa
