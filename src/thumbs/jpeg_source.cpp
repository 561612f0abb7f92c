#include "thumbs/jpeg_source.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/file_system.h"

namespace pixmosa {

Result<FileHandle> openImageFile(const std::string& path)
{
    FileHandle file(std::fopen(path.c_str(), "rb"));
    int reason = errno;
    if (file) {
        struct stat info {};
        reason = ::fstat(::fileno(file.get()), &info) != 0 ? errno
                 : S_ISDIR(info.st_mode)                   ? EISDIR
                                                           : 0;
        if (reason == 0) {
            return file;
        }
    }
    return Result<FileHandle>::failure("Cannot open file " + fileErrorMessage(path, reason));
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
