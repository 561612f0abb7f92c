#include "thumbs/jpeg_encoder.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>

#include "thumbs/jpeg_source.h"

namespace pixmosa {

namespace {

struct EncoderContext {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    int errorCode = 0;
    char errorText[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void onFatalError(j_common_ptr info)
{
    auto* context = static_cast<EncoderContext*>(info->client_data);
    context->errorCode = info->err->msg_code;
    (*info->err->format_message)(info, context->errorText);
    std::longjmp(context->jump, 1);
}

void onMessage(j_common_ptr) {}

// Every library call sits in this frame, which holds nothing that needs destroying.
bool encode(EncoderContext& context, std::uint32_t width, std::uint32_t height,
            const unsigned char* pixels, std::span<const unsigned char> colourProfile)
{
    if (setjmp(context.jump) != 0) {
        return false;
    }
    jpeg_compress_struct& info = context.info;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &context.buffer, &context.size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 75, TRUE);
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (!colourProfile.empty()) {
        jpeg_write_icc_profile(&info, colourProfile.data(),
                               static_cast<unsigned int>(colourProfile.size()));
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row[1] = {const_cast<unsigned char*>(pixels + info.next_scanline * stride)};
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

Result<std::string> encodeThumbnailJpeg(std::uint32_t width, std::uint32_t height,
                                        const unsigned char* pixels,
                                        std::span<const unsigned char> colourProfile)
{
    EncoderContext context;
    context.info.err = jpeg_std_error(&context.errors);
    context.errors.error_exit = onFatalError;
    context.errors.output_message = onMessage;
    context.info.client_data = &context;

    const bool encoded = encode(context, width, height, pixels, colourProfile);
    jpeg_destroy_compress(&context.info);
    Result<std::string> result =
        Result<std::string>::failure(jpegErrorMessage(context.errorCode, context.errorText));
    if (encoded) {
        result = std::string(reinterpret_cast<const char*>(context.buffer), context.size);
    }
    std::free(context.buffer);
    return result;
}

}  // namespace pixmosa
