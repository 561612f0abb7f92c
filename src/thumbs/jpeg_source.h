#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "common/result.h"

namespace pixmosa {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// An image open for reading, with its size. It reads through a buffer of its own, so that the
// library's reads ask the system for the bytes and nothing else.
class ImageFile {
public:
    ImageFile(std::unique_ptr<char[]> buffer, std::FILE* file, std::uint64_t size)
        : m_buffer(std::move(buffer)), m_file(file), m_size(size)
    {
    }

    std::FILE* get() const { return m_file.get(); }
    std::uint64_t size() const { return m_size; }

private:
    std::unique_ptr<char[]> m_buffer;  // outlives the stream that uses it
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::uint64_t m_size;
};

// Opens an image for reading; fails with "Cannot open file ", the path and the reason when it
// cannot be opened, is a directory or is no regular file at all (a FIFO would never end).
Result<ImageFile> openImageFile(const std::string& path);

// "JPEG error #" and the library's message number, for data the library cannot decode or
// encode, then the file when there is one and the library's own words: "JPEG error #53 in
// /pics/a.jpg: Bogus marker length". A negative number is a refusal of our own and is left
// out: "JPEG error in /pics/a.jpg: too many scans (5000)".
std::string jpegErrorMessage(int libraryMessageNumber, std::string_view libraryText,
                             std::string_view path = {});

// Damage the decoder read past, the image still made of what could be read: "JPEG warning in
// /pics/a.jpg: Premature end of JPEG file".
std::string jpegWarningMessage(std::string_view path, std::string_view libraryText);

}  // namespace pixmosa
