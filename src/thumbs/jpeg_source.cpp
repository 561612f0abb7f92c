#include "thumbs/jpeg_source.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/file_system.h"

namespace pixmosa {

Result<ImageFile> openImageFile(const std::string& path)
{
    constexpr std::size_t kBufferSize = 16384;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    int reason = errno;
    if (file != nullptr) {
        struct stat info {};
        reason = ::fstat(::fileno(file), &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
        if (reason == 0) {
            auto buffer = std::make_unique<char[]>(kBufferSize);
            std::setvbuf(file, buffer.get(), _IOFBF, kBufferSize);
            return ImageFile(std::move(buffer), file, static_cast<std::uint64_t>(info.st_size));
        }
        std::fclose(file);
    }
    return Result<ImageFile>::failure("Cannot open file " + fileErrorMessage(path, reason));
}

std::string jpegErrorMessage(int libraryMessageNumber, std::string_view libraryText,
                             std::string_view path)
{
    std::string message = "JPEG error #" + std::to_string(libraryMessageNumber);
    if (!path.empty()) {
        message.append(" in ").append(path);
    }
    if (!libraryText.empty()) {
        message.append(": ").append(libraryText);
    }
    return message;
}

}  // namespace pixmosa
