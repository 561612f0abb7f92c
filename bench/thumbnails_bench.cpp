// Times Make Thumbnails over a folder of photographs: every .jpg of at least one megapixel is
// copied into a scratch image directory, then the command runs several times.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "catalogue/image_scan.h"
#include "settings/gallery_settings.h"
#include "settings/thumb_folder.h"
#include "thumbs/jpeg_header.h"
#include "thumbs/make_thumbnails.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR SCRATCH_DIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::string corpus = argv[1];
    const std::filesystem::path scratch = argv[2];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    std::vector<std::string> images;
    double megapixels = 0;
    for (const std::string& name : pixmosa::ScanImages(corpus, true)) {
        const std::string path = corpus + "/" + name;
        const pixmosa::Result<pixmosa::JpegFrame> frame = pixmosa::readJpegFrame(path);
        const double pixels = frame ? double(frame->stored.width) * frame->stored.height : 0;
        if (pixels >= 1e6 && std::filesystem::is_regular_file(path)) {
            std::filesystem::copy_file(path, scratch / name);
            images.push_back(name);
            megapixels += pixels / 1e6;
        }
    }
    if (images.empty()) {
        std::fprintf(stderr, "no photographs of at least one megapixel in %s\n", corpus.c_str());
        return 1;
    }

    pixmosa::GallerySettings settings = pixmosa::GallerySettings::initial();
    settings.ImageDir = scratch.string();
    settings.ThumbsDir = "Thumbs";
    settings.ThumbFolder = pixmosa::deriveThumbFolder(settings.ThumbsDir);
    settings.ThumbSize = 100;
    pixmosa::bench::SilentObserver observer;

    const std::optional<double> measured = pixmosa::bench::medianSeconds(rounds, [&] {
        return pixmosa::MakeThumbnails(*pixmosa::FolderLock::tryAcquire(settings.ImageDir),
                                       settings, images, observer);
    });
    if (!measured) {
        return 1;
    }
    const double median = *measured;
    std::printf("Make Thumbnails, size 100: %zu images, %.1f megapixels\n", images.size(),
                megapixels);
    std::printf("median of %d rounds: %.3f s, %.1f images/s, %.1f megapixels/s\n", rounds, median,
                images.size() / median, megapixels / median);
    return 0;
}
