#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "common/result.h"

namespace pixmosa {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens an image for reading; fails with "Cannot open file ", the path and the reason when it
// cannot be opened or is a directory.
Result<FileHandle> openImageFile(const std::string& path);

// "JPEG error #" and the library's message number, for data the library cannot decode or
// encode, then the file when there is one and the library's own words: "JPEG error #53 in
// /pics/a.jpg: Premature end of JPEG file".
std::string jpegErrorMessage(int libraryMessageNumber, std::string_view libraryText,
                             std::string_view path = {});

}  // namespace pixmosa
