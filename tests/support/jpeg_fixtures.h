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
    bool arithmetic = false;
};

// Encodes with libjpeg directly: RGB, grey (one component) or Adobe-style inverted CMYK (four).
std::string encodeJpeg(const TestImage& image, const EncodeOptions& options);
std::string encodeJpeg(const TestImage& image, Encoding encoding = Encoding::Baseline,
                       int quality = 90);

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
