#include "thumbs/jpeg_header.h"

#include "thumbs/jpeg_decoder.h"
#include "thumbs/jpeg_source.h"

namespace pixmosa {

Result<ImageSize> readJpegSize(const std::string& path)
{
    Result<FileHandle> file = openImageFile(path);
    if (!file) {
        return file.status();
    }
    JpegDecoder decoder(file->get());
    if (!decoder.readHeader()) {
        return Result<ImageSize>::failure(jpegErrorMessage(decoder.errorCode()));
    }
    return ImageSize{decoder.width(), decoder.height()};
}

}  // namespace pixmosa
