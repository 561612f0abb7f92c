#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/result.h"
#include "settings/gallery_settings.h"

namespace pixmosa {

// Refuses, before anything is written, a run in which one file would take another's name: an
// image page named like the index page, a gallery page or another image page, any page named
// like one of the photos. Names are compared without regard to the case of the letters A to Z,
// on every system, since the gallery may be published on a server or a disk that ignores it.
// The message names both files and what to change, e.g. "The image page of index.jpg would be
// written over the index page index.html: rename the photo or change the index page's name."
Status checkPageNames(const GallerySettings& settings, const std::vector<std::string>& images,
                      std::int64_t pageCount);

// Refuses, naming it, the image page of an image whose page name is longer than the image
// directory's file system allows, or is no name the system can hold.
Status checkImagePageName(const GallerySettings& settings, const std::string& image);

}  // namespace pixmosa
