#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/colour_text.h"
#include "settings/gallery_settings.h"

namespace pixmosa {

// What every page writer of one gallery run reads: the settings taken when the run started, the
// image list in gallery order, the banner banks in list order and the text store that holds
// their lines.
struct GalleryContext {
    const GallerySettings& settings;
    const std::vector<std::string>& images;
    const std::vector<std::string>& bankNames;
    const std::string& textStorePath;
    const SystemColours& colours;
    // Made once per run by prepareGalleryPages, since every page bar links to every page:
    // gallery page n's name as links write it, and its cell of the page bar as every other
    // page shows it (its lines ended), both at n - 1.
    std::vector<std::string> galleryPageLinks = {};
    std::vector<std::string> pageBarCells = {};

    const std::string& galleryPageLink(std::int64_t page) const
    {
        return galleryPageLinks[static_cast<std::size_t>(page - 1)];
    }
};

// Shared by the run and its page writers; only the run changes it.
struct RunState {
    std::int64_t PageCount = 0;
    std::int64_t CurrentPage = 0;
    // The thumbnails placed so far; while a cell is written, its image's list position.
    std::size_t ImageIndex = 0;
};

}  // namespace pixmosa
