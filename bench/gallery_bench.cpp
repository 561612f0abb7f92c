// Times the page writing of a gallery of 5,000 small images whose thumbnails already exist.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "settings/thumb_folder.h"
#include "thumbs/jpeg_encoder.h"

namespace {

void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SCRATCH_DIR [IMAGES] [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path scratch = argv[1];
    const int imageCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5000;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;

    std::vector<unsigned char> pixels(64 * 48 * 3, 128);
    const std::string image = pixmosa::encodeThumbnailJpeg(64, 48, pixels.data()).value();
    const std::string thumbnail = pixmosa::encodeThumbnailJpeg(10, 8, pixels.data()).value();
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch / "Thumbs");

    pixmosa::GalleryInputs inputs{pixmosa::GallerySettings::initial(), {}, {}, {}};
    inputs.settings.ImageDir = scratch.string();
    inputs.settings.ThumbFolder = pixmosa::deriveThumbFolder(inputs.settings.ThumbsDir);
    inputs.settings.IndexFile = "index.html";
    inputs.textStorePath = (scratch / "Pixmosa.dat").string();
    for (int i = 1; i <= imageCount; ++i) {
        const std::string name = "image" + std::to_string(i) + ".jpg";
        writeFile(scratch / name, image);
        writeFile(scratch / "Thumbs" / (inputs.settings.ThumbPrefix + name), thumbnail);
        inputs.images.push_back(name);
    }

    pixmosa::bench::SilentObserver observer;
    pixmosa::TimeSeededDraw draw;
    const pixmosa::StandardSystemColours colours;
    const std::optional<double> measured = pixmosa::bench::medianSeconds(
        rounds, [&] { return pixmosa::RunGallery(inputs, observer, draw, colours); });
    if (!measured) {
        return 1;
    }
    const double median = *measured;
    const int galleryPages = (imageCount + 9) / 10;
    const int pages = galleryPages + imageCount + 1;
    std::printf("Gallery of %d images at 2 x 5, thumbnails present: %d pages\n", imageCount, pages);
    std::printf("median of %d rounds: %.3f s, %.0f pages/s\n", rounds, median, pages / median);
    return 0;
}
