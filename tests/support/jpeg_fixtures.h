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

// Encodes with libjpeg directly: RGB, grey (one component) or Adobe-style inverted CMYK (four).
std::string encodeJpeg(const TestImage& image, Encoding encoding = Encoding::Baseline,
                       int quality = 90);

// The straightforward way to the same thumbnail, kept apart from the program's code: decode
// every row into one buffer, sample it, and encode the result as a thumbnail is encoded.
TestImage decodeWhole(const std::string& jpegBytes);
TestImage sampleNearest(const TestImage& whole, int size);
std::string encodeAsThumbnail(const TestImage& image);

}  // namespace pixmosa::test
