#include "thumbs/jpeg_source.h"

#include <sys/stat.h>

namespace pixmosa {

Result<FileHandle> openImageFile(const std::string& path)
{
    FileHandle file(std::fopen(path.c_str(), "rb"));
    struct stat info {};
    if (file && ::fstat(::fileno(file.get()), &info) == 0 && !S_ISDIR(info.st_mode)) {
        return file;
    }
    return Result<FileHandle>::failure("Cannot open file " + path);
}

std::string jpegErrorMessage(int libraryMessageNumber)
{
    return "JPEG error #" + std::to_string(libraryMessageNumber);
}

}  // namespace pixmosa
