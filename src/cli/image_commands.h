#pragma once

#include <string>

#include "cli/command_line.h"

namespace pixmosa::cli {

// scan: the image list, one entry a line, then the pages-required text.
int scanImages(Context& context);
// thumbnails: the Make Thumbnails command.
int makeThumbnails(Context& context);
struct GalleryOptions {
    bool openIndexPage = false;  // --open
    bool refresh = false;        // --refresh
};
// gallery: the Gallery command; the index page is opened only when asked.
int makeGallery(const GalleryOptions& options, Context& context);
// rename PREFIX: the Rename Images command over the scanned list, then the new list.
int renameImages(const std::string& prefix, Context& context);

}  // namespace pixmosa::cli
