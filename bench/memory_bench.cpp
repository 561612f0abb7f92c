// Peak memory of making one thumbnail of a very large photograph: a 30000 x 20000 baseline JPEG
// and a 12000 x 8000 progressive one, written row by row here and thumbnailed in a child
// process whose peak resident size is read back. Then four small files that each declare a
// 40000 x 25000 progressive image, made on two workers within a memory limit and without one:
// the peak must stay within the limit.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "catalogue/image_scan.h"
#include "jpeg_writer.h"
#include "settings/thumb_folder.h"
#include "thumbs/make_thumbnails.h"
#include "thumbs/memory_budget.h"
#include "thumbs/thumbnail_maker.h"

namespace {

void writeLargeJpeg(const std::string& path, int width, int height, bool progressive)
{
    pixmosa::bench::writeJpegRows(
        path, width, height, 85, progressive, [width](int y, unsigned char* row) {
            for (int x = 0; x < width; ++x) {
                row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(x / 64 + y / 64);
                row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(y / 32);
                row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(x / 32);
            }
        });
}

// Peak resident memory of a child that makes the thumbnail, in MiB; negative on failure.
double peakMebibytes(const std::string& source, const std::string& destination)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(pixmosa::MakeThumbnail(source, destination, 100).ok() ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return usage.ru_maxrss / 1024.0;
}

// A 16 x 16 progressive JPEG whose frame header claims 40000 x 25000 pixels.
void writeBomb(const std::string& path)
{
    const std::string small = path + ".small";
    writeLargeJpeg(small, 16, 16, true);
    std::string bytes;
    {
        std::FILE* file = std::fopen(small.c_str(), "rb");
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, got);
        }
        std::fclose(file);
    }
    std::filesystem::remove(small);
    const std::size_t frame = bytes.find("\xFF\xC2");
    bytes[frame + 5] = static_cast<char>(25000 >> 8);
    bytes[frame + 6] = static_cast<char>(25000 & 0xFF);
    bytes[frame + 7] = static_cast<char>(40000 >> 8);
    bytes[frame + 8] = static_cast<char>(40000 & 0xFF);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// Peak resident memory of a child that makes the thumbnails of the images in `directory` on two
// workers within `limit` bytes (0: the default), in MiB.
double peakOfCommand(const std::string& directory, std::uint64_t limit)
{
    const pid_t child = ::fork();
    if (child == 0) {
        pixmosa::GallerySettings settings = pixmosa::GallerySettings::initial();
        settings.ImageDir = directory;
        settings.ThumbFolder = pixmosa::deriveThumbFolder(settings.ThumbsDir);
        pixmosa::bench::SilentObserver observer;
        const auto end =
            pixmosa::MakeThumbnails(*pixmosa::FolderLock::tryAcquire(settings.ImageDir), settings,
                                    pixmosa::ScanImages(directory, true), observer, {2, limit});
        if (!end) {
            std::fprintf(stderr, "  %s\n", end.message().c_str());
        }
        ::_exit(end ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SCRATCH_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path scratch = argv[1];
    std::filesystem::create_directories(scratch);
    const struct {
        const char* name;
        int width, height;
        bool progressive;
    } images[] = {{"baseline-30000x20000.jpg", 30000, 20000, false},
                  {"progressive-12000x8000.jpg", 12000, 8000, true}};
    for (const auto& image : images) {
        const std::string path = (scratch / image.name).string();
        if (!std::filesystem::exists(path)) {
            writeLargeJpeg(path, image.width, image.height, image.progressive);
        }
        const double peak = peakMebibytes(path, (scratch / "thumb.jpg").string());
        std::printf("peak memory making the thumbnail of %s: %.1f MiB\n", image.name, peak);
    }

    const std::filesystem::path bombs = scratch / "bombs";
    std::filesystem::create_directories(bombs);
    for (int i = 1; i <= 4; ++i) {
        const std::string path = (bombs / ("bomb" + std::to_string(i) + ".jpg")).string();
        if (!std::filesystem::exists(path)) {
            writeBomb(path);
        }
    }
    for (const std::uint64_t limit : {std::uint64_t{4096} << 20, std::uint64_t{0}}) {
        const std::uint64_t budget = limit == 0 ? pixmosa::defaultMemoryBudget() : limit;
        const double peak = peakOfCommand(bombs.string(), limit);
        std::printf(
            "four 40000 x 25000 progressive bombs on two workers, limit %llu MiB%s: peak "
            "%.1f MiB (%s)\n",
            static_cast<unsigned long long>(budget >> 20), limit == 0 ? " (default)" : "", peak,
            peak <= static_cast<double>(budget >> 20) ? "within" : "OVER");
    }
    return 0;
}
