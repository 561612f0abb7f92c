// Times the page pass of a gallery of 5,000 small images whose thumbnails already exist, against
// a plain loop that writes the same files under temporary names and renames them into place:
// a first run into a folder without pages (against renaming to names not yet taken), a run
// after a change that alters every page (against renaming over the files), and a re-run with
// nothing changed. The rounds interleave the five, and the medians give the ratios.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "common/text.h"
#include "settings/thumb_folder.h"
#include "thumbs/jpeg_encoder.h"

namespace {

namespace fs = std::filesystem;

struct Page {
    std::string name;
    std::string content;
};

void writeFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

bool isPage(const fs::path& path)
{
    return path.extension() == ".html";
}

std::vector<Page> pagesOf(const fs::path& folder)
{
    std::vector<Page> pages;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (isPage(entry.path())) {
            std::ifstream in(entry.path(), std::ios::binary);
            pages.push_back({entry.path().filename().string(),
                             std::string(std::istreambuf_iterator<char>(in), {})});
        }
    }
    return pages;
}

void removePages(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (isPage(entry.path())) {
            fs::remove(entry.path());
        }
    }
}

// What any careful writer of these files must do at the least: a temporary, its bytes, a rename.
bool plainLoop(const fs::path& folder, const std::vector<Page>& pages)
{
    for (const Page& page : pages) {
        const std::string target = (folder / page.name).string();
        const std::string temporary = (folder / ("." + page.name + ".tmp")).string();
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 ||
            ::write(descriptor, page.content.data(), page.content.size()) !=
                static_cast<ssize_t>(page.content.size()) ||
            ::close(descriptor) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
            return false;
        }
    }
    return true;
}

double secondsOf(const std::function<bool()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    if (!work()) {
        std::fprintf(stderr, "a timed run failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SCRATCH_DIR [IMAGES] [ROUNDS]\n", argv[0]);
        return 2;
    }
    const fs::path scratch = argv[1];
    const int imageCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5000;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    std::vector<unsigned char> pixels(64 * 48 * 3, 128);
    const std::string image = pixmosa::encodeThumbnailJpeg(64, 48, pixels.data()).value();
    const std::string thumbnail = pixmosa::encodeThumbnailJpeg(10, 8, pixels.data()).value();
    fs::remove_all(scratch);
    const fs::path gallery = scratch / "gallery";
    const fs::path loop = scratch / "loop";
    fs::create_directories(gallery / "Thumbs");

    pixmosa::GalleryInputs inputs{pixmosa::GallerySettings::initial(), {}, {}, {}};
    inputs.settings.ImageDir = gallery.string();
    inputs.settings.ThumbFolder = pixmosa::deriveThumbFolder(inputs.settings.ThumbsDir);
    inputs.settings.IndexFile = "index.html";
    inputs.textStorePath = (scratch / "Pixmosa.dat").string();
    // The loop writes into a folder that holds the same photographs and thumbnails, so both
    // work in directories of the same size.
    fs::create_directories(loop / "Thumbs");
    for (int i = 1; i <= imageCount; ++i) {
        const std::string name = "image" + std::to_string(i) + ".jpg";
        const std::string thumbnailName = inputs.settings.ThumbPrefix + name;
        for (const fs::path& folder : {gallery, loop}) {
            writeFile(folder / name, image);
            writeFile(folder / "Thumbs" / thumbnailName, thumbnail);
        }
        inputs.images.push_back(name);
    }

    pixmosa::bench::SilentObserver observer;
    pixmosa::TimeSeededDraw draw;
    const pixmosa::StandardSystemColours colours;
    const auto runGallery = [&] {
        return pixmosa::RunGallery(inputs, observer, draw, colours).ok();
    };
    runGallery();  // warms the caches
    const std::vector<Page> pages = pagesOf(gallery);

    std::vector<double> first, loopNew, changed, loopOver, unchanged;
    for (int round = 0; round < rounds; ++round) {
        removePages(gallery);
        first.push_back(secondsOf(runGallery));
        removePages(loop);
        loopNew.push_back(secondsOf([&] { return plainLoop(loop, pages); }));
        inputs.settings.HeaderCode =
            "<META NAME=\"round\" CONTENT=\"" + std::to_string(round) + "\">";
        changed.push_back(secondsOf(runGallery));
        loopOver.push_back(secondsOf([&] { return plainLoop(loop, pages); }));
        unchanged.push_back(secondsOf(runGallery));
    }

    const double count = static_cast<double>(pages.size());
    const auto rate = [count](const std::vector<double>& seconds) {
        return count / median(seconds);
    };
    std::printf(
        "Gallery of %d images at 2 x 5, thumbnails present: %zu pages, medians of %d "
        "interleaved rounds\n",
        imageCount, pages.size(), rounds);
    std::printf(
        "  first run, no pages yet:      %8.0f pages/s; plain loop to new names:  %8.0f "
        "files/s; ratio %.2f (target 0.9)\n",
        rate(first), rate(loopNew), rate(first) / rate(loopNew));
    std::printf(
        "  every page changed:           %8.0f pages/s; plain loop over the files: %7.0f "
        "files/s; ratio %.2f (target 0.9)\n",
        rate(changed), rate(loopOver), rate(changed) / rate(loopOver));
    std::printf(
        "  nothing changed:              %8.0f pages/s; %.1f x the run that changes every "
        "page (target 5)\n",
        rate(unchanged), rate(unchanged) / rate(changed));
    return 0;
}
