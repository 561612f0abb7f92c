#include "thumbs/jpeg_source.h"

#include "platform/file_system.h"

namespace pixmosa {

Result<ImageFile> openImageFile(const std::string& path)
{
    constexpr std::size_t kBufferSize = 16384;
    const Result<ReadableFile> file = openRegularFile(path);
    if (!file) {
        return Result<ImageFile>::failure("Cannot open file " + file.message());
    }
    auto buffer = std::make_unique<char[]>(kBufferSize);
    std::setvbuf(file->stream, buffer.get(), _IOFBF, kBufferSize);
    return ImageFile(std::move(buffer), file->stream, file->size);
}

std::string jpegErrorMessage(int libraryMessageNumber, std::string_view libraryText,
                             std::string_view path)
{
    std::string message = "JPEG error";
    if (libraryMessageNumber >= 0) {
        message.append(" #").append(std::to_string(libraryMessageNumber));
    }
    if (!path.empty()) {
        message.append(" in ").append(path);
    }
    if (!libraryText.empty()) {
        message.append(": ").append(libraryText);
    }
    return message;
}

std::string jpegWarningMessage(std::string_view path, std::string_view libraryText)
{
    return std::string("JPEG warning in ").append(path).append(": ").append(libraryText);
}

}  // namespace pixmosa
