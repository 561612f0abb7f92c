#include "generator/page_names.h"

#include <map>

#include "common/paths.h"
#include "common/text.h"
#include "generator/generated_files.h"
#include "platform/file_names.h"
#include "platform/file_system.h"

namespace pixmosa {

namespace {

// The files of a run's folder, the one told as written over the other first: an image page is
// named after a photo, so it is what intrudes on the index and gallery pages, which intrude on
// the photos.
enum class Kind { ImagePage, IndexPage, GalleryPage, Photo };

struct RunFile {
    Kind kind;
    std::string name;
    std::string image;  // the photo of a photo or an image page
};

std::string described(const RunFile& file)
{
    switch (file.kind) {
    case Kind::Photo:
        return "the photo " + file.name;
    case Kind::GalleryPage:
        return "the gallery page " + file.name;
    case Kind::ImagePage:
        return "the image page of " + file.image;
    case Kind::IndexPage:
        return "the index page " + file.name;
    }
    return file.name;
}

// What the user changes so that the later file is named otherwise.
std::string remedy(const RunFile& later, const RunFile& earlier)
{
    const auto own = [](Kind kind, Kind other) -> std::string {
        switch (kind) {
        case Kind::ImagePage:
            return other == Kind::ImagePage ? "rename one of the photos" : "rename the photo";
        case Kind::GalleryPage:
            return "change the gallery page prefix";
        case Kind::IndexPage:
            return "change the index page's name";
        case Kind::Photo:
            return other == Kind::IndexPage ? "" : "change the page extension";
        }
        return "";
    };
    if (later.kind == Kind::ImagePage && earlier.kind == Kind::Photo &&
        later.image == earlier.image) {
        return own(Kind::Photo, Kind::ImagePage);  // a page named like its own photo
    }
    const std::string first = own(later.kind, earlier.kind);
    const std::string second = own(earlier.kind, later.kind);
    if (second.empty() || second == first) {
        return first;
    }
    return first + " or " + second;
}

}  // namespace

Status checkPageNames(const GallerySettings& settings, const std::vector<std::string>& images,
                      std::int64_t pageCount)
{
    std::vector<RunFile> files;
    for (const std::string& image : images) {
        files.push_back({Kind::Photo, image, image});
    }
    for (std::int64_t page = 1; page <= pageCount; ++page) {
        files.push_back({Kind::GalleryPage, galleryPageName(settings, page), {}});
    }
    if (settings.UseImageShell && pageCount > 0) {
        for (const std::string& image : images) {
            files.push_back({Kind::ImagePage, imagePageName(settings, image), image});
        }
    }
    files.push_back({Kind::IndexPage, settings.IndexFile, {}});

    std::map<std::string, const RunFile*> byName;
    for (const RunFile& file : files) {
        const auto [place, added] = byName.emplace(asciiLower(file.name), &file);
        if (added) {
            continue;
        }
        const RunFile* earlier = place->second;
        const RunFile* later = &file;
        if (earlier->kind == Kind::Photo && later->kind == Kind::Photo) {
            continue;  // two photos whose names differ only in case: neither is written
        }
        if (earlier->kind < later->kind) {
            std::swap(earlier, later);
        }
        std::string message = described(*later) + " would be written over " + described(*earlier);
        if (earlier->kind == Kind::ImagePage) {
            message += " (" + earlier->name + ")";
        }
        message[0] = 'T';
        return Status::failure(message + ": " + remedy(*later, *earlier) + ".");
    }
    return Status::success();
}

Status checkImagePageName(const GallerySettings& settings, const std::string& image)
{
    if (const std::optional<std::string> problem = nameProblem(imagePageName(settings, image))) {
        return Status::failure(
            cannotCreateFileMessage(imagePagePath(settings, image) + ": " + *problem));
    }
    const Status fits =
        checkNameFits(withTrailingSeparator(settings.ImageDir), imagePageName(settings, image));
    return fits ? fits : Status::failure(cannotCreateFileMessage(fits.message()));
}

}  // namespace pixmosa
