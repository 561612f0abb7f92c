#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixmosa::test {

// Pixels made in code: three bytes a pixel (four for CMYK), rows top to bottom.
struct TestImage {
    int width = 0;
    int height = 0;
    int components = 3;
    std::vector<unsigned char> pixels;
};

// A picture in which neighbouring pixels differ, so a sample taken from the wrong place shows.
TestImage patternImage(int width, int height, int components = 3);

enum class Encoding { Baseline, Progressive };

struct EncodeOptions {
    Encoding encoding = Encoding::Baseline;
    int quality = 90;
    // Sampling of the first component; the others are sampled once per its block.
    int horizontalSampling = 2;
    int verticalSampling = 2;
    int restartRows = 0;
    int restartInterval = 0;  // in MCUs, where restartRows is 0
    bool arithmetic = false;
    // Written after the JFIF marker in APP2 segments, as jpeg_write_icc_profile writes it.
    std::string iccProfile = {};
};

// Encodes with libjpeg directly: RGB, grey (one component) or Adobe-style inverted CMYK (four).
std::string encodeJpeg(const TestImage& image, const EncodeOptions& options);
std::string encodeJpeg(const TestImage& image, Encoding encoding = Encoding::Baseline,
                       int quality = 90);

// The TIFF structure of an APP1 "Exif" segment whose IFD0 holds only the orientation tag, in
// the byte order of an Intel ("II") or Motorola ("MM") camera.
std::string exifOrientationSegment(int orientation, bool bigEndian = false);
// The JPEG with an APP1 segment of that data right after its start-of-image marker.
std::string withApp1Segment(const std::string& jpegBytes, const std::string& segment);
// A JPEG of the image as a camera held at `orientation` stores it.
std::string encodeJpegWithOrientation(const TestImage& image, int orientation);

// An ICC profile's bytes for tests: a header naming the colour space of its data ("RGB ",
// "GRAY", "CMYK") and the profile's size, then filler; long ones span several APP2 segments.
std::string iccProfileBytes(std::size_t size, const char (&colourSpace)[5]);
// The ICC profile of a JPEG as libjpeg reads it; empty when it has none or a damaged one.
std::string iccProfileOf(const std::string& jpegBytes);

// What decodeWhole throws for data the library cannot decode: the library's message number.
struct DecodeFailure {
    int code;
};

// The straightforward way to the same thumbnail, kept apart from the program's code: decode
// every row into one buffer, sample it, and encode the result as a thumbnail is encoded.
TestImage decodeWhole(const std::string& jpegBytes);
TestImage sampleNearest(const TestImage& whole, int size);
std::string encodeAsThumbnail(const TestImage& image);

}  // namespace pixmosa::test
