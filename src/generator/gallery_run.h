#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/colour_text.h"
#include "common/command_observer.h"
#include "common/result.h"
#include "generator/page_thumbnail_draw.h"
#include "platform/folder_lock.h"
#include "settings/gallery_settings.h"
#include "thumbs/thumbnail_pool.h"

namespace pixmosa {

// A command observer that can also show the finished gallery.
class GalleryObserver : public CommandObserver {
public:
    // Opens the index page in the user's browser, without waiting.
    virtual void openPage(const std::string& path) = 0;
};

// What the user is told when the page cannot be shown in a browser: "Could not open PATH in a
// web browser: " and the reason.
std::string browserFailureText(std::string_view path, std::string_view reason);

// What a gallery run works from, taken when it starts.
struct GalleryInputs {
    GallerySettings settings;
    std::vector<std::string> images;     // in gallery order
    std::vector<std::string> bankNames;  // the banner banks, in list order
    std::string textStorePath;
    ThumbnailWork thumbnailWork = {};
    // Also remake the thumbnails that are older than their photos.
    bool refresh = false;
};

// The Gallery command, run under the image directory's lock (lockImageDirectory): makes the
// thumbnails that are missing, writes every gallery page (and, with the image shell on, every
// image page from inside it), then the index page, and opens it. A run in which two files would
// share a name, or a file's name would be too long, is refused before anything is written
// (keeping going, an image whose files cannot be named is left out instead). A failure ends
// the run at that file with its error; the files written before it stay.
Result<CommandEnd> RunGallery(const FolderLock& folder, const GalleryInputs& inputs,
                              GalleryObserver& observer, PageThumbnailDraw& draw,
                              const SystemColours& colours);

}  // namespace pixmosa
