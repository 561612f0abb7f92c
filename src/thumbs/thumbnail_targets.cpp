#include "thumbs/thumbnail_targets.h"

#include <cctype>

#include "catalogue/image_paths.h"
#include "common/paths.h"
#include "platform/file_names.h"
#include "platform/file_system.h"

namespace pixmosa {

namespace {

// An absolute folder, or one whose ".." parts climb above where it starts.
bool leavesByItsText(const std::string& folder)
{
    if (!folder.empty() && folder.front() == kPathSeparator) {
        return true;
    }
    if (folder.size() >= 2 && std::isalpha(static_cast<unsigned char>(folder[0])) &&
        folder[1] == ':') {
        return true;  // a drive, as settings typed on Windows name one
    }
    int depth = 0;
    std::size_t start = 0;
    while (start < folder.size()) {
        const std::size_t end = std::min(folder.find(kPathSeparator, start), folder.size());
        const std::string_view part = std::string_view(folder).substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) {
                return true;
            }
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

Status checkThumbnailFolder(const GallerySettings& settings)
{
    const std::string imageDirectory = withTrailingSeparator(settings.ImageDir);
    const auto notInside = [&settings] {
        return Status::failure("The thumbnail folder \"" + settings.ThumbsDir +
                               "\" (ThumbsDir) is not inside the image directory " +
                               settings.ImageDir + ": thumbnails are kept in a sub-folder of it");
    };
    const std::string& folder = settings.ThumbFolder;
    if (leavesByItsText(folder)) {
        return notInside();
    }
    for (std::size_t start = 0; start < folder.size();) {
        const std::size_t end =
            std::min(folder.find_first_of(kPathSeparators, start), folder.size());
        const std::string_view part = std::string_view(folder).substr(start, end - start);
        if (const std::optional<std::string> problem =
                part == "." || part == ".." ? std::nullopt : nameProblem(part)) {
            return Status::failure("The thumbnail folder \"" + settings.ThumbsDir +
                                   "\" (ThumbsDir) cannot be made: " + *problem);
        }
        start = end + 1;
    }
    if (!directoryExists(imageDirectory) ||
        liesWithin(thumbnailDirectory(settings), imageDirectory)) {
        return Status::success();
    }
    return notInside();
}

Status makeThumbnailDirectory(const GallerySettings& settings)
{
    if (Status made = makeDirectories(thumbnailDirectory(settings)); !made) {
        return Status::failure("Cannot create directory " + made.message());
    }
    return Status::success();
}

ProtectedFiles protectedImages(const std::vector<std::string>& imagePaths)
{
    ProtectedFiles images;
    for (const std::string& image : imagePaths) {
        if (const std::optional<FileIdentity> identity = fileIdentity(image)) {
            images.emplace(*identity, "it is the image " + image);
        }
    }
    return images;
}

Status checkThumbnailDestinations(const std::vector<ThumbnailJob>& jobs,
                                  const ProtectedFiles& images)
{
    for (const ThumbnailJob& job : jobs) {
        if (isSymbolicLink(job.destination)) {
            return Status::failure(cannotCreateFileMessage(symbolicLinkMessage(job.destination)));
        }
        if (const std::optional<FileIdentity> identity = fileIdentity(job.destination)) {
            if (const auto image = images.find(*identity); image != images.end()) {
                return Status::failure(
                    cannotCreateFileMessage(job.destination + ": " + image->second));
            }
        }
    }
    return Status::success();
}

Status checkThumbnailName(const GallerySettings& settings, const std::string& image)
{
    // On Windows a photo named like a device would be opened as that device.
    if (const std::optional<std::string> problem = nameProblem(image)) {
        return Status::failure("Cannot open file " + imagePath(settings, image) + ": " + *problem);
    }
    if (const std::optional<std::string> problem = nameProblem(settings.ThumbPrefix + image)) {
        return Status::failure(
            cannotCreateFileMessage(thumbnailPath(settings, image) + ": " + *problem));
    }
    // Where the folder is still to be made, the image directory's file system stands for it.
    const std::string folder = thumbnailDirectory(settings);
    const Status fits =
        checkNameFits(directoryExists(folder) ? folder : withTrailingSeparator(settings.ImageDir),
                      settings.ThumbPrefix + image);
    return fits ? fits : Status::failure(cannotCreateFileMessage(fits.message()));
}

Result<std::vector<std::string>> imagesThatCanBeNamed(
    const std::vector<std::string>& images, bool keepGoing, CommandObserver& observer,
    const std::function<Status(const std::string&)>& checkName)
{
    std::vector<std::string> kept;
    kept.reserve(images.size());
    for (const std::string& image : images) {
        if (Status named = checkName(image); !named) {
            if (!keepGoing) {
                return named;
            }
            observer.leftOut(named.message());
            continue;
        }
        kept.push_back(image);
    }
    return kept;
}

}  // namespace pixmosa
