#include "thumbs/jpeg_header.h"

#include "thumbs/jpeg_decoder.h"
#include "thumbs/jpeg_source.h"

namespace pixmosa {

ImageSize JpegFrame::upright() const
{
    return uprightSize(stored, orientation);
}

Result<JpegFrame> readJpegFrame(const std::string& path)
{
    Result<ImageFile> file = openImageFile(path);
    if (!file) {
        return file.status();
    }
    JpegDecoder decoder(file->get());
    if (!decoder.readHeader()) {
        return Result<JpegFrame>::failure(
            jpegErrorMessage(decoder.errorCode(), decoder.errorText(), path));
    }
    return JpegFrame{{decoder.width(), decoder.height()}, decoder.orientation()};
}

}  // namespace pixmosa
