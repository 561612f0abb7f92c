#include "support/jpeg_fixtures.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cfenv>
#include <cmath>
#include <csetjmp>
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
    std::string write(const TestImage& image, const std::string& iccProfile = {})
    {
        jpeg_start_compress(&info, TRUE);
        if (!iccProfile.empty()) {
            jpeg_write_icc_profile(&info, reinterpret_cast<const JOCTET*>(iccProfile.data()),
                                   static_cast<unsigned int>(iccProfile.size()));
        }
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
    EncodeOptions options;
    options.encoding = encoding;
    options.quality = quality;
    return encodeJpeg(image, options);
}

std::string encodeJpeg(const TestImage& image, const EncodeOptions& options)
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
    jpeg_set_quality(&info, options.quality, TRUE);
    if (image.components > 1) {
        info.comp_info[0].h_samp_factor = options.horizontalSampling;
        info.comp_info[0].v_samp_factor = options.verticalSampling;
    }
    info.restart_in_rows = options.restartRows;
    info.restart_interval = static_cast<unsigned int>(options.restartInterval);
    info.arith_code = options.arithmetic ? TRUE : FALSE;
    if (options.encoding == Encoding::Progressive) {
        jpeg_simple_progression(&info);
    }
    return compressor.write(image, options.iccProfile);
}

std::string iccProfileBytes(std::size_t size, const char (&colourSpace)[5])
{
    std::string profile(size, '\0');
    for (std::size_t i = 128; i < size; ++i) {
        profile[i] = static_cast<char>(i * 7 + i / 251);
    }
    for (int shift = 24, i = 0; shift >= 0; shift -= 8, ++i) {
        profile[static_cast<std::size_t>(i)] = static_cast<char>((size >> shift) & 0xFF);
    }
    profile.replace(12, 4, "mntr");
    profile.replace(16, 4, colourSpace, 4);
    profile.replace(20, 4, "XYZ ");
    profile.replace(36, 4, "acsp");
    return profile;
}

namespace {

struct DecodeContext {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    int failure = 0;
};

[[noreturn]] void jumpOut(j_common_ptr info)
{
    auto* context = static_cast<DecodeContext*>(info->client_data);
    context->failure = info->err->msg_code;
    std::longjmp(context->jump, 1);
}

// Every row into one buffer; only plain data lives in this frame, which the library may leave
// by jumping.
bool decodeInto(DecodeContext& context, const std::string& jpegBytes, TestImage& image)
{
    if (setjmp(context.jump) != 0) {
        return false;
    }
    jpeg_decompress_struct& info = context.info;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpegBytes.data()), jpegBytes.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row[1] = {image.pixels.data() +
                           static_cast<std::size_t>(info.output_scanline) * image.width * 3};
        jpeg_read_scanlines(&info, row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

std::string exifOrientationSegment(int orientation, bool bigEndian)
{
    std::string segment("Exif\0\0", 6);
    const auto put = [&segment, bigEndian](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            const int shift = 8 * (bigEndian ? bytes - 1 - i : i);
            segment += static_cast<char>((value >> shift) & 0xFF);
        }
    };
    segment += bigEndian ? "MM" : "II";
    put(42, 2);
    put(8, 4);       // IFD0 right after the TIFF header
    put(1, 2);       // one entry
    put(0x0112, 2);  // orientation
    put(3, 2);       // SHORT
    put(1, 4);       // one value
    put(static_cast<unsigned>(orientation), 2);
    put(0, 2);  // the value field's unused half
    put(0, 4);  // no next IFD
    return segment;
}

std::string withApp1Segment(const std::string& jpegBytes, const std::string& segment)
{
    const std::size_t length = segment.size() + 2;
    std::string marker = "\xFF\xE1";
    marker += static_cast<char>(length >> 8);
    marker += static_cast<char>(length & 0xFF);
    return jpegBytes.substr(0, 2) + marker + segment + jpegBytes.substr(2);
}

std::string encodeJpegWithOrientation(const TestImage& image, int orientation)
{
    return withApp1Segment(encodeJpeg(image), exifOrientationSegment(orientation));
}

std::string iccProfileOf(const std::string& jpegBytes)
{
    DecodeContext context;
    context.info.err = jpeg_std_error(&context.errors);
    context.errors.error_exit = jumpOut;
    context.errors.output_message = quiet;
    jpeg_create_decompress(&context.info);
    std::string profile;
    if (setjmp(context.jump) == 0) {
        jpeg_mem_src(&context.info, reinterpret_cast<const unsigned char*>(jpegBytes.data()),
                     static_cast<unsigned long>(jpegBytes.size()));
        jpeg_save_markers(&context.info, JPEG_APP0 + 2, 0xFFFF);
        jpeg_read_header(&context.info, TRUE);
        JOCTET* data = nullptr;
        unsigned int length = 0;
        if (jpeg_read_icc_profile(&context.info, &data, &length)) {
            profile.assign(reinterpret_cast<const char*>(data), length);
        }
        std::free(data);
    }
    jpeg_destroy_decompress(&context.info);
    return profile;
}

TestImage decodeWhole(const std::string& jpegBytes)
{
    DecodeContext context;
    context.info.err = jpeg_std_error(&context.errors);
    context.errors.error_exit = jumpOut;
    context.errors.output_message = quiet;
    context.info.client_data = &context;
    jpeg_create_decompress(&context.info);
    TestImage image;
    const bool decoded = decodeInto(context, jpegBytes, image);
    jpeg_destroy_decompress(&context.info);
    if (!decoded) {
        throw DecodeFailure{context.failure};
    }
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
