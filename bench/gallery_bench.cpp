// Times the page pass of a gallery of 5,000 small images whose thumbnails already exist, against
// a plain loop that writes the same files under temporary names and renames them into place:
// a first run into a folder without pages (against renaming to names not yet taken), a run
// after a change that alters every page (against renaming over the files), and a re-run with
// nothing changed. The loop writes into the gallery's own folder, and each round times both
// twice, in an order that gives them the same history: on some file systems (ext4 without a
// journal) making a file costs more the more files were deleted nearby in the last half
// minute. The medians of the rounds give the ratios.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
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

// The file system tells recent deletions by whole seconds of the clock, so every timed step
// starts at the start of one and finds those before it counted alike.
void waitForTheNextSecond()
{
    const auto now = std::chrono::system_clock::now();
    std::this_thread::sleep_until(std::chrono::ceil<std::chrono::seconds>(now));
}

double secondsOf(const std::function<bool()>& work)
{
    waitForTheNextSecond();
    const auto start = std::chrono::steady_clock::now();
    if (!work()) {
        std::fprintf(stderr, "a timed run failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;

    std::vector<unsigned char> pixels(64 * 48 * 3, 128);
    const std::string image = pixmosa::encodeThumbnailJpeg(64, 48, pixels.data()).value();
    const std::string thumbnail = pixmosa::encodeThumbnailJpeg(10, 8, pixels.data()).value();
    fs::remove_all(scratch);
    const fs::path gallery = scratch / "gallery";
    fs::create_directories(gallery / "Thumbs");

    pixmosa::GalleryInputs inputs{pixmosa::GallerySettings::initial(), {}, {}, {}};
    inputs.settings.ImageDir = gallery.string();
    inputs.settings.ThumbFolder = pixmosa::deriveThumbFolder(inputs.settings.ThumbsDir);
    inputs.settings.IndexFile = "index.html";
    inputs.textStorePath = (scratch / "Pixmosa.dat").string();
    for (int i = 1; i <= imageCount; ++i) {
        const std::string name = "image" + std::to_string(i) + ".jpg";
        writeFile(gallery / name, image);
        writeFile(gallery / "Thumbs" / (inputs.settings.ThumbPrefix + name), thumbnail);
        inputs.images.push_back(name);
    }

    pixmosa::bench::SilentObserver observer;
    pixmosa::TimeSeededDraw draw;
    const pixmosa::StandardSystemColours colours;
    const auto runGallery = [&] {
        return pixmosa::RunGallery(*pixmosa::FolderLock::tryAcquire(inputs.settings.ImageDir),
                                   inputs, observer, draw, colours)
            .ok();
    };
    // Every change of the header code gives a code that differs from the one before and has the
    // same length, so every page of the run after it has the size it had and must be read to be
    // compared.
    int headerChanges = 0;
    const auto changeTheHeaderCode = [&] {
        inputs.settings.HeaderCode =
            "<META NAME=\"change\" CONTENT=\"" + std::to_string(headerChanges++ % 10) + "\">";
    };
    changeTheHeaderCode();
    runGallery();  // warms the caches
    const std::size_t pageCount = pagesOf(gallery).size();

    // Each entry is one round's time for two of a kind.
    std::vector<double> first, loopNew, changed, loopOver, unchanged;
    const auto timeFirstRun = [&] {
        removePages(gallery);
        return secondsOf(runGallery);
    };
    const auto timeChangedRun = [&] {
        changeTheHeaderCode();
        return secondsOf(runGallery);
    };
    const auto timeLoopToNewNames = [&] {
        const std::vector<Page> pages = pagesOf(gallery);
        removePages(gallery);
        return secondsOf([&] { return plainLoop(gallery, pages); });
    };
    const auto timeLoopOverTheFiles = [&] {
        const std::vector<Page> pages = pagesOf(gallery);
        return secondsOf([&] { return plainLoop(gallery, pages); });
    };
    // Each pair is timed loop, run, run, loop in even rounds and run, loop, loop, run in odd
    // ones: the time each takes grows with what was deleted before it, and in those orders both
    // add up the same history. An untimed loop before each pair makes its first step follow
    // what the others follow. Each step leaves the pages the run would make, so the run with
    // nothing changed finds them.
    const auto timePair = [](const std::function<double()>& loop,
                             const std::function<double()>& run, std::vector<double>& loops,
                             std::vector<double>& runs, bool loopOutside) {
        loop();
        if (loopOutside) {
            const double before = loop();
            runs.push_back(run() + run());
            loops.push_back(before + loop());
        } else {
            const double before = run();
            loops.push_back(loop() + loop());
            runs.push_back(before + run());
        }
    };
    for (int round = 0; round < rounds; ++round) {
        const bool loopOutside = round % 2 == 0;
        timePair(timeLoopToNewNames, timeFirstRun, loopNew, first, loopOutside);
        timePair(timeLoopOverTheFiles, timeChangedRun, loopOver, changed, loopOutside);
        unchanged.push_back(secondsOf(runGallery) + secondsOf(runGallery));
    }

    const double count = 2.0 * static_cast<double>(pageCount);
    const auto rate = [count](const std::vector<double>& seconds) {
        return count / pixmosa::bench::median(seconds);
    };
    std::printf(
        "Gallery of %d images at 2 x 5, thumbnails present: %zu pages, medians of %d "
        "interleaved rounds\n",
        imageCount, pageCount, rounds);
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
