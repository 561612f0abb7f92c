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
    // Gallery page n's name as its links write it, at n - 1: every page bar links to every
    // page, so the links are made once per run, not once per bar.
    std::vector<std::string> galleryPageLinks = {};
    // Gallery page n's cell of the page bar, as every other page shows it, its lines ended.
    std::vector<std::string> pageBarCells = {};
};

// Shared by the run and its page writers; only the run changes it.
struct RunState {
    std::int64_t PageCount = 0;
    std::int64_t CurrentPage = 0;
    // The thumbnails placed so far; while a cell is written, its image's list position.
    std::size_t ImageIndex = 0;
};

}  // namespace pixmosa
