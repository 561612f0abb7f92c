#include "generator/gallery_run.h"

#include "catalogue/image_paths.h"
#include "catalogue/image_scan.h"
#include "common/paths.h"
#include "generator/gallery_page.h"
#include "generator/generated_files.h"
#include "generator/index_page.h"
#include "generator/page_plan.h"
#include "generator/run_state.h"
#include "platform/file_system.h"
#include "thumbs/make_thumbnails.h"
#include "thumbs/thumbnail_pool.h"

namespace pixmosa {

namespace {

// Makes only the thumbnails whose files do not exist yet; an existing one is used as it is.
Status makeMissingThumbnails(const GallerySettings& settings,
                             const std::vector<std::string>& images, const ThumbnailWork& work,
                             CommandObserver& observer)
{
    // When the directory cannot be made, the first thumbnail says why.
    (void)makeDirectories(thumbnailDirectory(settings));
    removeStaleTemporaries(thumbnailDirectory(settings));
    std::vector<ThumbnailJob> jobs;
    for (std::size_t i = 0; i < images.size(); ++i) {
        std::string thumbnail = thumbnailPath(settings, images[i]);
        if (!fileExists(thumbnail)) {
            jobs.push_back({i, imagePath(settings, images[i]), std::move(thumbnail)});
        }
    }
    return makeThumbnailsInParallel(jobs, images.size(),
                                    static_cast<std::uint32_t>(settings.ThumbSize), work, observer);
}

}  // namespace

Result<CommandEnd> RunGallery(const GalleryInputs& inputs, GalleryObserver& observer,
                              PageThumbnailDraw& draw, const SystemColours& colours)
{
    const GallerySettings& settings = inputs.settings;
    const std::vector<std::string>& images = inputs.images;
    if (images.empty()) {
        observer.beep();
        observer.message(kNoImagesMessage);
        return CommandEnd::NoImages;
    }
    RunState state;
    const PagesRequired pages = computePagesRequired(images.size(), settings.Rows, settings.Cols);
    if (pages.message) {
        observer.message(*pages.message);
    }
    state.PageCount = pages.pageCount;

    if (Status made = makeMissingThumbnails(settings, images, inputs.thumbnailWork, observer);
        !made) {
        return made;
    }

    removeStaleTemporaries(withTrailingSeparator(settings.ImageDir));
    const GalleryContext context{settings, images, inputs.bankNames, inputs.textStorePath, colours};
    state.ImageIndex = 0;
    for (std::int64_t page = 1; page <= state.PageCount; ++page) {
        state.CurrentPage = page;
        observer.progress(static_cast<std::size_t>(page - 1),
                          static_cast<std::size_t>(state.PageCount));
        observer.status("Writing page " + std::to_string(page) + " of " +
                        std::to_string(state.PageCount));
        observer.breathe();
        if (Status written = writeGalleryPage(context, state); !written) {
            return written;
        }
    }
    if (Status written = writeIndexPage(context, state, draw, observer); !written) {
        return written;
    }
    observer.openPage(indexPagePath(settings));
    observer.status("Finished");
    observer.beep();
    return CommandEnd::Finished;
}

}  // namespace pixmosa
