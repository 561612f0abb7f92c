// Times what selecting a photo in the image list costs: the header read on the window's thread,
// and the reduced decode on the preview loader's thread, against a decode at full scale.
// Usage: pixmosa-bench-preview DIR [ROUNDS]
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bench_support.h"
#include "jpeg_writer.h"
#include "thumbs/jpeg_header.h"
#include "thumbs/preview_decode.h"

namespace {

// A 20-megapixel photograph of a phone's shape, as a phone writes it: baseline, quality 90;
// smooth shading with fine texture in every block.
void writePhotograph(const std::string& path, int width, int height)
{
    pixmosa::bench::writeJpegRows(
        path, width, height, 90, false, [width, height](int y, unsigned char* row) {
            for (int x = 0; x < width; ++x) {
                const int texture = ((x * 7 + y * 13) ^ (x * y)) & 15;
                unsigned char* pixel = row + static_cast<std::size_t>(x) * 3;
                pixel[0] = static_cast<unsigned char>(x * 200 / width + texture);
                pixel[1] = static_cast<unsigned char>(y * 200 / height + texture);
                pixel[2] = static_cast<unsigned char>((x + y) * 100 / (width + height) + texture);
            }
        });
}

double medianMilliseconds(int rounds, const std::function<bool()>& run)
{
    std::vector<double> times;
    for (int round = 0; round <= rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        if (!run()) {
            return -1;
        }
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (round > 0) {
            times.push_back(took.count());
        }
    }
    return pixmosa::bench::median(std::move(times));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    const int rounds = argc > 2 ? std::stoi(argv[2]) : 9;
    std::filesystem::create_directories(directory);
    const std::string path = (directory / "photo-5640x3172.jpg").string();
    writePhotograph(path, 5640, 3172);
    const double header =
        medianMilliseconds(rounds, [&] { return pixmosa::readJpegFrame(path).ok(); });
    const double reduced =
        medianMilliseconds(rounds, [&] { return pixmosa::decodePreview(path, 125, 70).ok(); });
    const double whole =
        medianMilliseconds(rounds, [&] { return pixmosa::decodePreview(path, 5640, 3172).ok(); });
    std::printf("5640 x 3172 photo, medians of %d rounds\n", rounds);
    std::printf("  header read (the window's thread)     %8.2f ms\n", header);
    std::printf("  preview decode at 1/8 (loader thread) %8.2f ms\n", reduced);
    std::printf("  decode at full scale                  %8.2f ms\n", whole);
    return header < 0 || reduced < 0 || whole < 0 ? 1 : 0;
}
