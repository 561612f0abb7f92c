#include "generator/gallery_run.h"

#include "catalogue/image_paths.h"
#include "catalogue/image_scan.h"
#include "common/paths.h"
#include "generator/gallery_page.h"
#include "generator/generated_files.h"
#include "generator/index_page.h"
#include "generator/page_names.h"
#include "generator/page_plan.h"
#include "generator/page_writer.h"
#include "generator/run_state.h"
#include "platform/file_system.h"
#include "thumbs/jpeg_header.h"
#include "thumbs/make_thumbnails.h"
#include "thumbs/thumbnail_pool.h"
#include "thumbs/thumbnail_targets.h"

namespace pixmosa {

namespace {

// Makes only the thumbnails whose files do not exist yet, and with `refresh` those older than
// their photo too; any other is used as it is. Keeping going, gives the positions of the images
// whose thumbnails could not be made.
Result<ThumbnailPass> makeMissingThumbnails(const GallerySettings& settings,
                                            const std::vector<std::string>& images,
                                            const ThumbnailWork& work, bool refresh,
                                            CommandObserver& observer)
{
    const Status folderMade = makeThumbnailDirectory(settings);
    removeStaleTemporaries(thumbnailDirectory(settings));
    std::vector<ThumbnailJob> jobs;
    std::vector<std::string> imagePaths;
    for (std::size_t i = 0; i < images.size(); ++i) {
        std::string thumbnail = thumbnailPath(settings, images[i]);
        imagePaths.push_back(imagePath(settings, images[i]));
        if (!fileExists(thumbnail) || (refresh && isOlderThan(thumbnail, imagePaths.back()))) {
            jobs.push_back({i, imagePaths.back(), std::move(thumbnail)});
        }
    }
    // Where every thumbnail is there already, a folder that cannot be made does not matter.
    if (!folderMade && !jobs.empty()) {
        return folderMade;
    }
    return makeThumbnailsInParallel(jobs, imagePaths,
                                    static_cast<std::uint32_t>(settings.ThumbSize), work, observer);
}

// The images a run keeping going leaves out, besides those whose thumbnail failed: those whose
// pages could not be written because the photo's or the thumbnail's header cannot be read.
std::vector<std::string> readableImages(const GallerySettings& settings,
                                        const std::vector<std::string>& images,
                                        const std::vector<std::size_t>& failed,
                                        CommandObserver& observer)
{
    std::vector<std::string> kept;
    std::size_t nextFailed = 0;
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (nextFailed < failed.size() && failed[nextFailed] == i) {
            ++nextFailed;
            continue;
        }
        Status readable = thumbnailSize(thumbnailPath(settings, images[i])).status();
        if (readable && settings.UseImageShell) {
            readable = readJpegFrame(imagePath(settings, images[i])).status();
        }
        if (!readable) {
            observer.leftOut(readable.message());
            continue;
        }
        kept.push_back(images[i]);
    }
    return kept;
}

// Asked to stop, it ends between two pages and tells so in `stopped`.
Status writeGalleryPages(const GalleryContext& context, RunState& state, CommandObserver& observer,
                         PageWriter& writer, bool& stopped)
{
    state.ImageIndex = 0;
    for (std::int64_t page = 1; page <= state.PageCount; ++page) {
        if (observer.stopRequested()) {
            stopped = true;
            return Status::success();
        }
        state.CurrentPage = page;
        observer.progress(static_cast<std::size_t>(page - 1),
                          static_cast<std::size_t>(state.PageCount));
        observer.status("Writing page " + std::to_string(page) + " of " +
                        std::to_string(state.PageCount));
        observer.breathe();
        if (Status written = writeGalleryPage(context, state, writer); !written) {
            return written;
        }
    }
    return Status::success();
}

}  // namespace

std::string browserFailureText(std::string_view path, std::string_view reason)
{
    return "Could not open " + std::string(path) + " in a web browser: " + std::string(reason);
}

Result<CommandEnd> RunGallery([[maybe_unused]] const FolderLock& folder,
                              const GalleryInputs& inputs, GalleryObserver& observer,
                              PageThumbnailDraw& draw, const SystemColours& colours)
{
    const GallerySettings& settings = inputs.settings;
    if (inputs.images.empty()) {
        observer.beep();
        observer.message(kNoImagesMessage);
        return CommandEnd::NoImages;
    }
    if (Status inside = checkThumbnailFolder(settings); !inside) {
        return inside;
    }
    const PagesRequired pages =
        computePagesRequired(inputs.images.size(), settings.Rows, settings.Cols);
    if (pages.message) {
        observer.message(*pages.message);
    }
    const Result<std::vector<std::string>> named = imagesThatCanBeNamed(
        inputs.images, inputs.thumbnailWork.keepGoing, observer, [&](const std::string& image) {
            const Status thumbnail = checkThumbnailName(settings, image);
            return thumbnail && settings.UseImageShell ? checkImagePageName(settings, image)
                                                       : thumbnail;
        });
    if (!named) {
        return named.status();
    }
    if (Status distinct = checkPageNames(
            settings, *named,
            computePagesRequired(named->size(), settings.Rows, settings.Cols).pageCount);
        !distinct) {
        return distinct;
    }

    const Result<ThumbnailPass> thumbnails =
        makeMissingThumbnails(settings, *named, inputs.thumbnailWork, inputs.refresh, observer);
    if (!thumbnails) {
        return thumbnails.status();
    }
    if (thumbnails->stopped) {
        return CommandEnd::Stopped;
    }
    // Keeping going, the pages are those of the images that can be shown, as if the others
    // were not in the list.
    const std::vector<std::string> images =
        inputs.thumbnailWork.keepGoing
            ? readableImages(settings, *named, thumbnails->leftOut, observer)
            : *named;
    RunState state;
    state.PageCount = computePagesRequired(images.size(), settings.Rows, settings.Cols).pageCount;

    removeStaleTemporaries(withTrailingSeparator(settings.ImageDir));
    GalleryContext context{settings, images, inputs.bankNames, inputs.textStorePath, colours};
    prepareGalleryPages(context, state.PageCount);
    PageWriter writer;
    bool stopped = false;
    Status made = writeGalleryPages(context, state, observer, writer, stopped);
    if (made && !stopped) {
        made = writeIndexPage(context, state, draw, observer, writer);
    }
    // A page made before the one the run stopped at is written as if the run had waited for
    // each, and the first that cannot be written is the error the run ends with.
    if (Status written = writer.finish(); !written) {
        return written;
    }
    if (!made) {
        return made;
    }
    if (stopped) {
        return CommandEnd::Stopped;
    }
    observer.openPage(indexPagePath(settings));
    observer.status("Finished");
    observer.beep();
    return CommandEnd::Finished;
}

}  // namespace pixmosa
