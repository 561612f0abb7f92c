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
};

// Shared by the run and its page writers; only the run changes it.
struct RunState {
    std::int64_t PageCount = 0;
    std::int64_t CurrentPage = 0;
    // The thumbnails placed so far; while a cell is written, its image's list position.
    std::size_t ImageIndex = 0;
};

}  // namespace pixmosa
