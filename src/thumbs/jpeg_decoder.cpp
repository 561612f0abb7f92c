#include "thumbs/jpeg_decoder.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <bit>
#include <climits>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// The library's inverse-DCT module as its internal header jpegint.h lays it out; that header is
// not installed by every build of the library, and the layout is part of its 6.2 ABI.
struct jpeg_inverse_dct {
    void (*start_pass)(j_decompress_ptr);
    void (*inverse_DCT[MAX_COMPONENTS])(j_decompress_ptr, jpeg_component_info*, JCOEFPTR,
                                        JSAMPARRAY, JDIMENSION);
};

namespace pixmosa {

using InverseDct = void (*)(j_decompress_ptr, jpeg_component_info*, JCOEFPTR, JSAMPARRAY,
                            JDIMENSION);

// Of one component: which columns of blocks hold samples that sampled pixels use, the
// library's own inverse DCT for them, and the power of two that is a block's side in samples.
struct SampledColumns {
    std::vector<unsigned char> blocks;
    InverseDct transform = nullptr;
    unsigned blockShift = 0;
};

// The library's source of a JpegInput: each piece is handed over as it is; an input that ends
// early ends with an end-of-image marker, as the library's own sources end a short file.
struct PieceSource {
    jpeg_source_mgr manager{};
    JpegInput* input = nullptr;
    unsigned char endOfImage[2] = {0xFF, JPEG_EOI};
};

struct JpegDecoderContext {
    jpeg_decompress_struct info{};
    PieceSource pieces{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf jump{};
    int errorCode = 0;
    char errorText[JMSG_LENGTH_MAX] = {};
    std::string warning;
    const std::atomic<bool>* stop = nullptr;
    bool exifSeen = false;
    Orientation orientation = Orientation::Upright;
    // The ICC segments kept for the library's profile reader, and the end of their list.
    jpeg_saved_marker_ptr lastIccSegment = nullptr;
    int iccSegments = 0;
    std::size_t iccBytes = 0;
    bool iccTooLarge = false;
    bool iccTooManySegments = false;
    std::vector<unsigned char> colourProfile;
    JpegDecoder::ProfileState profileState = JpegDecoder::ProfileState::None;
    std::vector<SampledColumns> sampledColumns;  // by component, when only those are wanted
};

namespace {

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr unsigned char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr int kIccMarker = JPEG_APP0 + 2;
constexpr unsigned char kIccHeader[] = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0};
// A profile is numbered in at most 255 segments; more cannot belong to one.
constexpr int kMostIccSegments = 255;

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

// Warnings about corrupt data do not fail an image; the library tells the first one only,
// which is kept for the caller and not printed.
void onMessage(j_common_ptr info)
{
    JpegDecoderContext* context = contextOf(info);
    if (context->warning.empty()) {
        char text[JMSG_LENGTH_MAX] = {};
        (*info->err->format_message)(info, text);
        context->warning = text;
    }
}

// Each scan of a progressive image passes over the whole frame, so a small file with very many
// scans over a large frame would cost minutes.
void onProgress(j_common_ptr common)
{
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    JpegDecoderContext* context = contextOf(common);
    if (info->input_scan_number > static_cast<int>(kMaxScans)) {
        context->errorCode = kTooManyScans;
        std::snprintf(context->errorText, sizeof context->errorText, "too many scans (%d)",
                      info->input_scan_number);
        std::longjmp(context->jump, 1);
    }
    if (context->stop != nullptr && context->stop->load(std::memory_order_relaxed)) {
        context->errorCode = kStoppedDecode;
        std::snprintf(context->errorText, sizeof context->errorText, "stopped");
        std::longjmp(context->jump, 1);
    }
}

unsigned readSourceByte(j_decompress_ptr info)
{
    jpeg_source_mgr* source = info->src;
    if (source->bytes_in_buffer == 0) {
        (*source->fill_input_buffer)(info);  // the stdio source never suspends
    }
    --source->bytes_in_buffer;
    return *source->next_input_byte++;
}

// Reads a segment's first bytes into `into` while they match `header`, at most its length;
// true when the whole header matched. `read` tells how many bytes were read.
template <std::size_t N>
bool readHeaderOf(j_decompress_ptr info, long length, const unsigned char (&header)[N],
                  unsigned char* into, std::size_t& read)
{
    read = 0;
    while (read < N && static_cast<long>(read) < length) {
        into[read] = static_cast<unsigned char>(readSourceByte(info));
        const bool same = into[read] == header[read];
        ++read;
        if (!same) {
            return false;
        }
    }
    return read == N;
}

long segmentLength(j_decompress_ptr info)
{
    const unsigned high = readSourceByte(info);
    return static_cast<long>((high << 8) | readSourceByte(info)) - 2;
}

// Reads the orientation from the first EXIF segment and passes over every other APP1 segment
// unread. The library's own saving of segments keeps them in a list that it walks to its end for
// each new one, so a header of many small segments would cost time growing with their square.
boolean readApp1Segment(j_decompress_ptr info)
{
    JpegDecoderContext* context = contextOf(reinterpret_cast<j_common_ptr>(info));
    const long length = segmentLength(info);
    if (length <= 0) {
        return TRUE;
    }
    if (context->exifSeen) {
        (*info->src->skip_input_data)(info, length);
        return TRUE;
    }
    unsigned char start[sizeof kExifHeader];
    std::size_t read = 0;
    if (!readHeaderOf(info, length, kExifHeader, start, read)) {
        (*info->src->skip_input_data)(info, length - static_cast<long>(read));
        return TRUE;
    }
    context->exifSeen = true;
    std::vector<unsigned char> data(start, start + read);
    data.resize(static_cast<std::size_t>(length));
    for (std::size_t i = read; i < data.size(); ++i) {
        data[i] = static_cast<unsigned char>(readSourceByte(info));
    }
    context->orientation = exifOrientation(data.data(), data.size());
    return TRUE;
}

// Keeps the ICC segments, as the library's own saving would, in a list whose end is known, so
// thousands of segments cost no more than their bytes; every other APP2 segment is skipped.
boolean readApp2Segment(j_decompress_ptr info)
{
    JpegDecoderContext* context = contextOf(reinterpret_cast<j_common_ptr>(info));
    const long length = segmentLength(info);
    if (length <= 0) {
        return TRUE;
    }
    unsigned char start[sizeof kIccHeader];
    std::size_t matched = 0;
    if (!readHeaderOf(info, length, kIccHeader, start, matched)) {
        (*info->src->skip_input_data)(info, length - static_cast<long>(matched));
        return TRUE;
    }
    // Past the limits, no segment is kept, so such a profile costs no memory.
    context->iccTooManySegments =
        context->iccTooManySegments || context->iccSegments >= kMostIccSegments;
    context->iccBytes += static_cast<std::size_t>(length);
    context->iccTooLarge = context->iccTooLarge || context->iccBytes > kMostProfileBytes;
    if (context->iccTooManySegments || context->iccTooLarge) {
        (*info->src->skip_input_data)(info, length - static_cast<long>(matched));
        return TRUE;
    }
    auto* segment = static_cast<jpeg_saved_marker_ptr>(
        (*info->mem->alloc_large)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                  sizeof(jpeg_marker_struct) + static_cast<std::size_t>(length)));
    segment->next = nullptr;
    segment->marker = static_cast<UINT8>(kIccMarker);
    segment->original_length = static_cast<unsigned int>(length);
    segment->data_length = static_cast<unsigned int>(length);
    segment->data = reinterpret_cast<JOCTET*>(segment + 1);
    std::memcpy(segment->data, start, matched);
    for (long i = static_cast<long>(matched); i < length; ++i) {
        segment->data[i] = static_cast<JOCTET>(readSourceByte(info));
    }
    if (context->lastIccSegment == nullptr) {
        info->marker_list = segment;
    } else {
        context->lastIccSegment->next = segment;
    }
    context->lastIccSegment = segment;
    ++context->iccSegments;
    return TRUE;
}

boolean fillFromPieces(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<PieceSource*>(info->src);
    const std::span<const unsigned char> piece = source->input->next();
    if (piece.empty()) {
        WARNMS(info, JWRN_JPEG_EOF);
        source->manager.next_input_byte = source->endOfImage;
        source->manager.bytes_in_buffer = sizeof source->endOfImage;
        return TRUE;
    }
    source->manager.next_input_byte = piece.data();
    source->manager.bytes_in_buffer = piece.size();
    return TRUE;
}

void skipPieces(j_decompress_ptr info, long count)
{
    jpeg_source_mgr* source = info->src;
    while (count > static_cast<long>(source->bytes_in_buffer)) {
        count -= static_cast<long>(source->bytes_in_buffer);
        (*source->fill_input_buffer)(info);
    }
    if (count > 0) {
        source->next_input_byte += count;
        source->bytes_in_buffer -= static_cast<std::size_t>(count);
    }
}

void noSourceAction(j_decompress_ptr) {}

// A block no sampled pixel uses is not transformed: its samples are set to mid-grey, so that
// what the rest of the decoder makes of them is the same from run to run.
void transformSampledBlock(j_decompress_ptr info, jpeg_component_info* component,
                           JCOEFPTR coefficients, JSAMPARRAY output, JDIMENSION column)
{
    const SampledColumns& columns =
        static_cast<JpegDecoderContext*>(info->client_data)
            ->sampledColumns[static_cast<std::size_t>(component->component_index)];
    const std::size_t block = column >> columns.blockShift;
    if (block >= columns.blocks.size() || columns.blocks[block] != 0) {
        columns.transform(info, component, coefficients, output, column);
        return;
    }
    if (columns.blockShift == 3) {  // the usual block, each row set in one store
        for (int row = 0; row < DCTSIZE; ++row) {
            std::memset(output[row] + column, CENTERJSAMPLE, DCTSIZE);
        }
        return;
    }
    const std::size_t side = std::size_t{1} << columns.blockShift;
    for (std::size_t row = 0; row < side; ++row) {
        std::memset(output[row] + column, CENTERJSAMPLE, side);
    }
}

// The blocks of a component that hold the samples the given pixel columns are made from: the
// column scaled to the component's sampling, and where the component is upsampled, the samples
// either side, which smooth upsampling blends in.
std::vector<unsigned char> blocksOfColumns(const std::vector<std::uint32_t>& pixelColumns,
                                           const jpeg_component_info& component, int mostSampling,
                                           unsigned blockShift)
{
    std::vector<unsigned char> blocks(component.width_in_blocks, 0);
    const auto sampling = static_cast<std::uint64_t>(component.h_samp_factor);
    const std::uint64_t reach = component.h_samp_factor < mostSampling ? 1 : 0;
    for (const std::uint32_t pixelColumn : pixelColumns) {
        const std::uint64_t sample =
            pixelColumn * sampling / static_cast<std::uint64_t>(mostSampling);
        const std::uint64_t first = sample - std::min(sample, reach);
        for (std::uint64_t s = first; s <= sample + reach; ++s) {
            if ((s >> blockShift) < blocks.size()) {
                blocks[s >> blockShift] = 1;
            }
        }
    }
    return blocks;
}

}  // namespace

JpegDecoder::JpegDecoder(JpegInput& input) : m_context(std::make_unique<JpegDecoderContext>())
{
    create([&input, this](j_decompress_ptr info) {
        PieceSource& pieces = m_context->pieces;
        pieces.input = &input;
        pieces.manager.init_source = noSourceAction;
        pieces.manager.fill_input_buffer = fillFromPieces;
        pieces.manager.skip_input_data = skipPieces;
        pieces.manager.resync_to_restart = jpeg_resync_to_restart;
        pieces.manager.term_source = noSourceAction;
        info->src = &pieces.manager;
    });
}

JpegDecoder::JpegDecoder(std::FILE* file) : m_context(std::make_unique<JpegDecoderContext>())
{
    create([file](j_decompress_ptr info) { jpeg_stdio_src(info, file); });
}

JpegDecoder::JpegDecoder(std::span<const unsigned char> bytes)
    : m_context(std::make_unique<JpegDecoderContext>())
{
    create([bytes](j_decompress_ptr info) {
        jpeg_mem_src(info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    });
}

template <typename AttachSource>
void JpegDecoder::create(AttachSource attachSource)
{
    JpegDecoderContext& context = *m_context;
    context.info.err = jpeg_std_error(&context.errors);
    context.errors.error_exit = onFatalError;
    context.errors.output_message = onMessage;
    context.info.client_data = &context;
    context.progress.progress_monitor = onProgress;
    if (setjmp(context.jump) != 0) {
        return;
    }
    jpeg_create_decompress(&context.info);
    context.info.progress = &context.progress;
    jpeg_set_marker_processor(&context.info, kExifMarker, readApp1Segment);
    jpeg_set_marker_processor(&context.info, kIccMarker, readApp2Segment);
    attachSource(&context.info);
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
    readColourProfile();
    return true;
}

// A damaged profile is left out without a word: the warning the library gives for it is taken
// back, so that damage in the image data is still the first warning told.
void JpegDecoder::readColourProfile()
{
    JpegDecoderContext& context = *m_context;
    if (context.iccTooManySegments || context.iccTooLarge) {
        context.profileState =
            context.iccTooManySegments ? ProfileState::TooManySegments : ProfileState::TooLarge;
        return;
    }
    if (context.iccSegments == 0) {
        return;
    }
    const long warningsBefore = context.errors.num_warnings;
    const std::string warningBefore = context.warning;
    JOCTET* profile = nullptr;
    unsigned int length = 0;
    if (jpeg_read_icc_profile(&context.info, &profile, &length)) {
        context.colourProfile.assign(profile, profile + length);
    }
    context.profileState =
        context.colourProfile.empty() ? ProfileState::Damaged : ProfileState::Whole;
    std::free(profile);
    context.errors.num_warnings = warningsBefore;
    context.warning = warningBefore;
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

const std::vector<unsigned char>& JpegDecoder::colourProfile() const
{
    return m_context->colourProfile;
}

JpegDecoder::ProfileState JpegDecoder::colourProfileState() const
{
    return m_context->profileState;
}

int JpegDecoder::sourceComponents() const
{
    return m_context->info.num_components;
}

unsigned JpegDecoder::restartInterval() const
{
    return m_context->info.restart_interval;
}

bool JpegDecoder::isProgressive() const
{
    return m_context->info.progressive_mode != 0;
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

void JpegDecoder::stopWhenSet(const std::atomic<bool>* stop)
{
    m_context->stop = stop;
}

bool JpegDecoder::start(unsigned scaleDenominator)
{
    jpeg_decompress_struct& info = m_context->info;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = scaleDenominator;
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

std::uint32_t JpegDecoder::outputWidth() const
{
    return m_context->info.output_width;
}

std::uint32_t JpegDecoder::outputHeight() const
{
    return m_context->info.output_height;
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

void JpegDecoder::transformOnlyColumns(const std::vector<std::uint32_t>& columns)
{
    jpeg_decompress_struct& info = m_context->info;
    std::vector<SampledColumns>& sampled = m_context->sampledColumns;
    // Asked again, the library's own transforms are put back first, never wrapped twice.
    for (std::size_t i = 0; i < sampled.size(); ++i) {
        if (sampled[i].transform != nullptr) {
            info.idct->inverse_DCT[i] = sampled[i].transform;
        }
    }
    sampled.assign(static_cast<std::size_t>(info.num_components), {});
    for (int i = 0; i < info.num_components; ++i) {
        const jpeg_component_info& component = info.comp_info[i];
        const auto side = static_cast<unsigned>(component.DCT_scaled_size);
        if (!std::has_single_bit(side) || side > DCTSIZE) {
            continue;  // a block of another size is transformed whole, as ever
        }
        SampledColumns& own = sampled[static_cast<std::size_t>(i)];
        own.blockShift = static_cast<unsigned>(std::countr_zero(side));
        own.blocks = blocksOfColumns(columns, component, info.max_h_samp_factor, own.blockShift);
        own.transform = info.idct->inverse_DCT[i];
        info.idct->inverse_DCT[i] = transformSampledBlock;
    }
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

const std::string& JpegDecoder::warningText() const
{
    return m_context->warning;
}

}  // namespace pixmosa
