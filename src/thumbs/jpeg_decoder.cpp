#include "thumbs/jpeg_decoder.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstring>

namespace pixmosa {

struct JpegDecoderContext {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    int errorCode = 0;
    char errorText[JMSG_LENGTH_MAX] = {};
    Orientation orientation = Orientation::Upright;
};

namespace {

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr unsigned char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};

JpegDecoderContext* contextOf(j_common_ptr info)
{
    return static_cast<JpegDecoderContext*>(info->client_data);
}

[[noreturn]] void onFatalError(j_common_ptr info)
{
    JpegDecoderContext* context = contextOf(info);
    context->errorCode = info->err->msg_code;
    (*info->err->format_message)(info, context->errorText);
    std::longjmp(context->jump, 1);
}

Orientation orientationOf(jpeg_saved_marker_ptr markers)
{
    for (jpeg_saved_marker_ptr marker = markers; marker != nullptr; marker = marker->next) {
        if (marker->marker == kExifMarker && marker->data_length >= sizeof kExifHeader &&
            std::memcmp(marker->data, kExifHeader, sizeof kExifHeader) == 0) {
            return exifOrientation(marker->data, marker->data_length);
        }
    }
    return Orientation::Upright;
}

// Warnings about corrupt data do not fail an image, and nothing is printed.
void onMessage(j_common_ptr) {}

}  // namespace

JpegDecoder::JpegDecoder(std::FILE* file) : m_context(std::make_unique<JpegDecoderContext>())
{
    JpegDecoderContext& context = *m_context;
    context.info.err = jpeg_std_error(&context.errors);
    context.errors.error_exit = onFatalError;
    context.errors.output_message = onMessage;
    context.info.client_data = &context;
    if (setjmp(context.jump) != 0) {
        return;
    }
    jpeg_create_decompress(&context.info);
    jpeg_save_markers(&context.info, kExifMarker, 0xFFFF);
    jpeg_stdio_src(&context.info, file);
}

JpegDecoder::~JpegDecoder()
{
    jpeg_destroy_decompress(&m_context->info);
}

bool JpegDecoder::readHeader()
{
    if (m_context->errorCode != 0 || setjmp(m_context->jump) != 0) {
        return false;
    }
    jpeg_read_header(&m_context->info, TRUE);
    // The saved segments last only until decoding finishes, so the orientation is read now.
    m_context->orientation = orientationOf(m_context->info.marker_list);
    return true;
}

std::uint32_t JpegDecoder::width() const
{
    return m_context->info.image_width;
}

std::uint32_t JpegDecoder::height() const
{
    return m_context->info.image_height;
}

Orientation JpegDecoder::orientation() const
{
    return m_context->orientation;
}

std::uint64_t JpegDecoder::memoryNeeded() const
{
    jpeg_decompress_struct& info = m_context->info;
    const auto roundUp = [](std::uint64_t value, int step) {
        return (value + static_cast<std::uint64_t>(step) - 1) / static_cast<std::uint64_t>(step) *
               static_cast<std::uint64_t>(step);
    };
    const bool wholeImage = jpeg_has_multiple_scans(&info) != 0;
    std::uint64_t bytes = std::uint64_t{1} << 20;  // the library's tables and small buffers
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const std::uint64_t blocksWide =
            roundUp(component.width_in_blocks, component.h_samp_factor);
        const std::uint64_t blocksHigh =
            roundUp(component.height_in_blocks, component.v_samp_factor);
        if (wholeImage) {
            bytes += blocksWide * blocksHigh * DCTSIZE2 * sizeof(JCOEF);
        }
        // Three row groups of samples, for the context of smoothing and upsampling.
        bytes += blocksWide * DCTSIZE * static_cast<std::uint64_t>(component.v_samp_factor) *
                 DCTSIZE * 3;
    }
    // Upsampled rows in every colour, and the row handed out with our copy of it.
    const std::uint64_t width = info.image_width;
    bytes += width * static_cast<std::uint64_t>(info.num_components) *
             static_cast<std::uint64_t>(info.max_v_samp_factor) * DCTSIZE;
    bytes += width * 4 * 2;
    return bytes;
}

void JpegDecoder::limitMemory(std::uint64_t bytes)
{
    m_context->info.mem->max_memory_to_use =
        static_cast<long>(std::min<std::uint64_t>(bytes, static_cast<std::uint64_t>(LONG_MAX)));
}

bool JpegDecoder::start()
{
    jpeg_decompress_struct& info = m_context->info;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = 1;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    info.do_block_smoothing = TRUE;
    info.quantize_colors = FALSE;
    if (setjmp(m_context->jump) != 0) {
        return false;
    }
    jpeg_start_decompress(&info);
    return true;
}

int JpegDecoder::bytesPerPixel() const
{
    return m_context->info.output_components;
}

std::uint32_t JpegDecoder::rowGroupHeight() const
{
    return static_cast<std::uint32_t>(m_context->info.max_v_samp_factor);
}

bool JpegDecoder::invertedCmyk() const
{
    return m_context->info.saw_Adobe_marker != 0;
}

bool JpegDecoder::readRow(unsigned char* row)
{
    if (setjmp(m_context->jump) != 0) {
        return false;
    }
    JSAMPROW rows[1] = {row};
    return jpeg_read_scanlines(&m_context->info, rows, 1) == 1;
}

bool JpegDecoder::skipRows(std::uint32_t count)
{
    if (setjmp(m_context->jump) != 0) {
        return false;
    }
    jpeg_skip_scanlines(&m_context->info, count);
    return true;
}

bool JpegDecoder::finish()
{
    if (setjmp(m_context->jump) != 0) {
        return false;
    }
    jpeg_finish_decompress(&m_context->info);
    return true;
}

int JpegDecoder::errorCode() const
{
    return m_context->errorCode;
}

std::string JpegDecoder::errorText() const
{
    return m_context->errorText;
}

}  // namespace pixmosa
