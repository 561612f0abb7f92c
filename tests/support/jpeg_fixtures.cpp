#include "support/jpeg_fixtures.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace pixmosa::test {

namespace {

[[noreturn]] void throwOnError(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    throw std::runtime_error(text);
}

void quiet(j_common_ptr) {}

struct Compressor {
    Compressor()
    {
        info.err = jpeg_std_error(&errors);
        errors.error_exit = throwOnError;
        jpeg_create_compress(&info);
        jpeg_mem_dest(&info, &buffer, &size);
    }
    ~Compressor()
    {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
    std::string write(const TestImage& image)
    {
        jpeg_start_compress(&info, TRUE);
        const std::size_t stride = static_cast<std::size_t>(image.width) * image.components;
        while (info.next_scanline < info.image_height) {
            JSAMPROW row[1] = {
                const_cast<unsigned char*>(image.pixels.data() + info.next_scanline * stride)};
            jpeg_write_scanlines(&info, row, 1);
        }
        jpeg_finish_compress(&info);
        return std::string(reinterpret_cast<char*>(buffer), size);
    }

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

// Ties to even, the way the floating-point unit rounds by default.
int nearest(double value)
{
    std::fesetround(FE_TONEAREST);
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

TestImage patternImage(int width, int height, int components)
{
    TestImage image{width, height, components, {}};
    image.pixels.resize(static_cast<std::size_t>(width) * height * components);
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int values[4] = {(x * 37 + y * 11) & 255, ((x * 13) ^ (y * 7)) & 255,
                                   ((x + y) * 5) & 255, (x * y) & 255};
            for (int c = 0; c < components; ++c) {
                image.pixels[i++] = static_cast<unsigned char>(values[c]);
            }
        }
    }
    return image;
}

std::string encodeJpeg(const TestImage& image, Encoding encoding, int quality)
{
    Compressor compressor;
    jpeg_compress_struct& info = compressor.info;
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = image.components;
    info.in_color_space = image.components == 1   ? JCS_GRAYSCALE
                          : image.components == 4 ? JCS_CMYK
                                                  : JCS_RGB;
    jpeg_set_defaults(&info);
    if (image.components == 4) {
        info.write_Adobe_marker = TRUE;
    }
    jpeg_set_quality(&info, quality, TRUE);
    if (encoding == Encoding::Progressive) {
        jpeg_simple_progression(&info);
    }
    return compressor.write(image);
}

TestImage decodeWhole(const std::string& jpegBytes)
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = throwOnError;
    errors.output_message = quiet;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpegBytes.data()), jpegBytes.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    TestImage image{
        static_cast<int>(info.output_width), static_cast<int>(info.output_height), 3, {}};
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row[1] = {image.pixels.data() +
                           static_cast<std::size_t>(info.output_scanline) * image.width * 3};
        jpeg_read_scanlines(&info, row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

TestImage sampleNearest(const TestImage& whole, int size)
{
    const double factor = static_cast<double>(std::max(whole.width, whole.height)) / size;
    TestImage thumb{nearest(whole.width / factor), nearest(whole.height / factor), 3, {}};
    for (int i = 0; i < thumb.height; ++i) {
        for (int j = 0; j < thumb.width; ++j) {
            const int x = std::min(nearest(j * factor), whole.width - 1);
            const int y = std::min(nearest(i * factor), whole.height - 1);
            for (int c = 0; c < 3; ++c) {
                thumb.pixels.push_back(
                    whole.pixels[(static_cast<std::size_t>(y) * whole.width + x) * 3 + c]);
            }
        }
    }
    return thumb;
}

std::string encodeAsThumbnail(const TestImage& image)
{
    Compressor compressor;
    jpeg_compress_struct& info = compressor.info;
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 75, TRUE);
    jpeg_simple_progression(&info);
    return compressor.write(image);
}

}  // namespace pixmosa::test
