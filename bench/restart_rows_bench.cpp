// How far thumbnails of photos with restart markers can go below those of the same photos
// without. Over a like-for-like pair of folders (the same photos written alike, plain and with
// markers), it takes on one thread, in alternating rounds, the processor time of: the plain
// photos' thumbnails, the marked photos' thumbnails, and decoding every row of the plain photos
// while skipping it, which is the entropy decoding a plain thumbnail cannot leave out and a
// marked one can for the rows it does not sample. The marked thumbnails decode a share of their
// photos' bytes; all their other work is the plain thumbnails' too, so the least time they can
// take is the plain time less the skipped rows' decoding of the bytes they leave out.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "catalogue/image_scan.h"
#include "thumbs/jpeg_decoder.h"
#include "thumbs/jpeg_source.h"
#include "thumbs/thumbnail_maker.h"

namespace {

constexpr std::uint32_t kThumbnailSize = 100;

std::vector<std::string> photosIn(const std::string& folder)
{
    std::vector<std::string> paths;
    for (const std::string& name : pixmosa::ScanImages(folder, true)) {
        paths.push_back(folder + "/" + name);
    }
    return paths;
}

bool makeThumbnails(const std::vector<std::string>& photos, std::uint64_t* bytesDecoded)
{
    std::vector<unsigned char> window;
    for (const std::string& photo : photos) {
        const pixmosa::Result<std::string> made = pixmosa::renderThumbnail(
            photo, kThumbnailSize, {.readWindow = &window, .bytesDecoded = bytesDecoded});
        if (!made) {
            std::fprintf(stderr, "%s\n", made.message().c_str());
            return false;
        }
    }
    return true;
}

// Decodes every row but the last as the plain thumbnails skip rows, then the last.
bool skipEveryRow(const std::vector<std::string>& photos)
{
    for (const std::string& photo : photos) {
        pixmosa::Result<pixmosa::ImageFile> file = pixmosa::openImageFile(photo);
        if (!file) {
            std::fprintf(stderr, "%s\n", file.message().c_str());
            return false;
        }
        pixmosa::JpegDecoder decoder(file->get());
        if (!decoder.readHeader() || !decoder.start()) {
            std::fprintf(stderr, "%s cannot be decoded\n", photo.c_str());
            return false;
        }
        std::vector<unsigned char> row(std::size_t{decoder.outputWidth()} *
                                       decoder.bytesPerPixel());
        if (!decoder.skipRows(decoder.outputHeight() - 1) || !decoder.readRow(row.data()) ||
            !decoder.finish()) {
            std::fprintf(stderr, "%s cannot be decoded\n", photo.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PLAIN_DIR MARKED_DIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::vector<std::string> plain = photosIn(argv[1]);
    const std::vector<std::string> marked = photosIn(argv[2]);
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    if (plain.empty() || plain.size() != marked.size()) {
        std::fprintf(stderr, "the two folders must hold the same photos\n");
        return 1;
    }

    std::uint64_t markedBytes = 0;
    for (const std::string& photo : marked) {
        markedBytes += std::filesystem::file_size(photo);
    }
    std::uint64_t bytesDecoded = 0;
    if (!makeThumbnails(marked, &bytesDecoded)) {
        return 1;
    }

    const std::vector<std::function<bool()>> runs = {
        [&] { return makeThumbnails(plain, nullptr); },
        [&] { return makeThumbnails(marked, nullptr); },
        [&] { return skipEveryRow(plain); },
    };
    std::vector<std::vector<double>> seconds(runs.size());
    for (int round = 0; round <= rounds; ++round) {  // round 0 warms the caches
        for (std::size_t run = 0; run < runs.size(); ++run) {
            const std::clock_t start = std::clock();
            if (!runs[run]()) {
                return 1;
            }
            if (round > 0) {
                seconds[run].push_back(double(std::clock() - start) / CLOCKS_PER_SEC);
            }
        }
    }
    const double plainTime = pixmosa::bench::median(seconds[0]);
    const double markedTime = pixmosa::bench::median(seconds[1]);
    const double skippingTime = pixmosa::bench::median(seconds[2]);
    const double share = double(bytesDecoded) / double(markedBytes);
    const double least = plainTime - (1 - share) * skippingTime;
    std::printf("one thread, processor time, medians of %d rounds\n", rounds);
    std::printf("%-46s %8.3f s\n", "thumbnails, plain", plainTime);
    std::printf("%-46s %8.3f s\n", "thumbnails, with markers", markedTime);
    std::printf("%-46s %8.3f s\n", "every row decoded and skipped, plain", skippingTime);
    std::printf("%-46s %8.2f\n", "share of the marked photos' bytes decoded", share);
    std::printf("%-46s %8.2f\n", "with markers / plain", markedTime / plainTime);
    std::printf("%-46s %8.2f\n", "least with markers / plain can be", least / plainTime);
    return 0;
}
