#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "common/result.h"

namespace pixmosa {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens an image for reading; fails with "Cannot open file " and the path when it cannot be
// opened or is a directory.
Result<FileHandle> openImageFile(const std::string& path);

// "JPEG error #" and the library's message number, for data the library cannot decode.
std::string jpegErrorMessage(int libraryMessageNumber);

}  // namespace pixmosa
