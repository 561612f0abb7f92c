#include "thumbs/make_thumbnails.h"

#include "catalogue/image_paths.h"
#include "catalogue/image_scan.h"
#include "common/paths.h"
#include "platform/file_system.h"
#include "thumbs/thumbnail_pool.h"
#include "thumbs/thumbnail_targets.h"

namespace pixmosa {

namespace {

// Refuses, before anything is written, settings under which a thumbnail would take the place
// of its own image: no thumbnail prefix and a thumbnail folder that is the image directory.
// (A gallery run never writes such a thumbnail: the file exists, it is the image.)
Status refuseThumbnailsReplacingImages(const GallerySettings& settings)
{
    if (settings.ThumbPrefix.empty() &&
        sameFile(thumbnailDirectory(settings), withTrailingSeparator(settings.ImageDir))) {
        return Status::failure(
            "The thumbnails would replace the images: choose a thumbnail folder or a "
            "thumbnail prefix");
    }
    return Status::success();
}

}  // namespace

Result<CommandEnd> MakeThumbnails([[maybe_unused]] const FolderLock& folder,
                                  const GallerySettings& settings,
                                  const std::vector<std::string>& listed, CommandObserver& observer,
                                  const ThumbnailWork& work)
{
    const std::string imageDirectory = withTrailingSeparator(settings.ImageDir);
    if (!directoryExists(imageDirectory)) {
        return CommandEnd::NoImageDirectory;
    }
    if (Status inside = checkThumbnailFolder(settings); !inside) {
        return inside;
    }
    // An empty list is told as such, even where the folder cannot be made.
    const Status folderMade = makeThumbnailDirectory(settings);
    removeStaleTemporaries(thumbnailDirectory(settings));
    if (listed.empty()) {
        observer.beep();
        observer.message(kNoImagesMessage);
        return CommandEnd::NoImages;
    }
    if (!folderMade) {
        return folderMade;
    }
    if (Status refused = refuseThumbnailsReplacingImages(settings); !refused) {
        return refused;
    }
    const Result<std::vector<std::string>> named = imagesThatCanBeNamed(
        listed, work.keepGoing, observer,
        [&](const std::string& image) { return checkThumbnailName(settings, image); });
    if (!named) {
        return named.status();
    }
    const std::vector<std::string>& images = *named;

    std::vector<ThumbnailJob> jobs;
    std::vector<std::string> imagePaths;
    for (std::size_t i = 0; i < images.size(); ++i) {
        imagePaths.push_back(imagePath(settings, images[i]));
        jobs.push_back({i, imagePaths.back(), thumbnailPath(settings, images[i])});
    }
    const Result<ThumbnailPass> made = makeThumbnailsInParallel(
        jobs, imagePaths, static_cast<std::uint32_t>(settings.ThumbSize), work, observer);
    if (!made) {
        return made.status();
    }
    if (made->stopped) {
        return CommandEnd::Stopped;
    }
    observer.status("Finished creating thumbnails");
    observer.beep();
    return CommandEnd::Finished;
}

std::string creatingThumbnailText(std::size_t number, std::size_t count)
{
    return "Creating thumbnail " + std::to_string(number) + " of " + std::to_string(count);
}

}  // namespace pixmosa
