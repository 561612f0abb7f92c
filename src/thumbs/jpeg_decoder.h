#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "thumbs/orientation.h"

namespace pixmosa {

struct JpegDecoderContext;

// Gives a decoder its input a piece at a time, as it asks for it; an empty piece ends it.
class JpegInput {
public:
    virtual ~JpegInput() = default;
    virtual std::span<const unsigned char> next() = 0;
};

// The largest ICC profile kept; real ones are a few kilobytes to a few hundred.
inline constexpr std::size_t kMostProfileBytes = std::size_t{1} << 20;
// The most scans a decode accepts; real photos have tens at most.
inline constexpr unsigned kMaxScans = 100;
// The error codes of decodes ended by us, which are none of the library's: an image refused for
// having more scans, and a decode stopped by its flag.
inline constexpr int kTooManyScans = -1;
inline constexpr int kStoppedDecode = -2;

// A libjpeg decompressor that reads one row at a time, so only the row being read is held.
// The library reports fatal errors by jumping out of its calls; every call into it happens
// inside one of these small methods, whose frames hold nothing that needs destroying, and a
// failed call returns false with the library's message number in errorCode().
class JpegDecoder {
public:
    explicit JpegDecoder(std::FILE* file);
    // Reads from bytes in memory, which must outlive the decoder.
    explicit JpegDecoder(std::span<const unsigned char> bytes);
    // Reads what `input` gives, which must outlive the decoder.
    explicit JpegDecoder(JpegInput& input);
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
    ~JpegDecoder();

    bool readHeader();
    std::uint32_t width() const;
    std::uint32_t height() const;
    // How the stored pixels must be turned to stand upright, from the header's EXIF segment.
    Orientation orientation() const;
    // The ICC profile of the header's APP2 segments; empty when there is none or it cannot be
    // had, which is not an error: colourProfileState() tells why.
    const std::vector<unsigned char>& colourProfile() const;
    enum class ProfileState {
        None,
        Whole,
        Damaged,          // missing, repeated or inconsistent segments
        TooLarge,         // more than kMostProfileBytes
        TooManySegments,  // more than the 255 that one profile can be numbered in
    };
    ProfileState colourProfileState() const;
    int sourceComponents() const;
    // The restart interval in MCUs (0 for none), and whether the photo is progressive.
    unsigned restartInterval() const;
    bool isProgressive() const;
    // What decoding will hold, from the header: the whole coefficient buffer of a progressive
    // or multi-scan image, a few rows of samples otherwise.
    std::uint64_t memoryNeeded() const;
    // The most the library may allocate for its large buffers; beyond it decoding fails.
    void limitMemory(std::uint64_t bytes);
    // Once the flag (when given) is set, the decode fails at its next row or scan.
    void stopWhenSet(const std::atomic<bool>* stop);

    // Decoding with the accurate DCT, fancy upsampling and block smoothing, to RGB (grey
    // sources too); CMYK and YCCK sources are read as CMYK, four bytes a pixel. Full scale, or
    // reduced by the DCT to 1/2, 1/4 or 1/8 of each side.
    bool start(unsigned scaleDenominator = 1);
    // The size of the rows produced, once started.
    std::uint32_t outputWidth() const;
    std::uint32_t outputHeight() const;
    int bytesPerPixel() const;
    // Rows are produced in groups of this many; skipping is exact only from a group's start.
    std::uint32_t rowGroupHeight() const;
    // CMYK as Adobe writes it, with every channel inverted.
    bool invertedCmyk() const;

    // Once started: only the blocks that the pixels at these columns are made from are turned
    // into samples, so that only those pixels of each row come out as a whole decode gives them.
    // Asked again, these columns replace the earlier ones.
    void transformOnlyColumns(const std::vector<std::uint32_t>& columns);
    bool readRow(unsigned char* row);
    // Passes over rows without producing them: their data is still read, but not transformed
    // into pixels.
    bool skipRows(std::uint32_t count);
    bool finish();

    int errorCode() const;
    // The library's own words for the failure, such as "Invalid JPEG file structure", or
    // "too many scans (N)".
    std::string errorText() const;
    // The library's words for the first damage it read past, such as "Premature end of JPEG
    // file"; empty when there was none.
    const std::string& warningText() const;

private:
    // Sets the decoder up, then hands it to `attachSource`, which gives it its input.
    template <typename AttachSource>
    void create(AttachSource attachSource);
    void readColourProfile();

    std::unique_ptr<JpegDecoderContext> m_context;
};

}  // namespace pixmosa
