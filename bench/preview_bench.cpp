// Times what selecting a photo in the image list costs: the header read on the window's thread,
// and the reduced decode on the preview loader's thread, against a decode at full scale.
// Usage: pixmosa-bench-preview DIR [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "thumbs/jpeg_header.h"
#include "thumbs/preview_decode.h"

namespace {

// A 20-megapixel photograph of a phone's shape, as a phone writes it: baseline, quality 90,
// chroma halved both ways; smooth shading with fine texture in every block.
void writePhotograph(const std::string& path, int width, int height)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int texture = ((x * 7 + y * 13) ^ (x * y)) & 15;
            unsigned char* pixel = row.data() + static_cast<std::size_t>(x) * 3;
            pixel[0] = static_cast<unsigned char>(x * 200 / width + texture);
            pixel[1] = static_cast<unsigned char>(y * 200 / height + texture);
            pixel[2] = static_cast<unsigned char>((x + y) * 100 / (width + height) + texture);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
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
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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
