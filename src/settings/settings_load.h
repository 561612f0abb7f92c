#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"
#include "settings/banner_banks.h"
#include "settings/gallery_settings.h"

namespace pixmosa {

struct SettingsLoad {
    GallerySettings settings;
    BannerBanks banks;
    // The message to show when the load stopped at a value it could not read. Every field
    // after that value keeps its initial value, the text store is not read and no bank is
    // chosen.
    std::optional<std::string> error;

    bool complete() const { return !error.has_value(); }
};

// Reads every setting, in the order the window loads them: the window position, the switches,
// the texts and numbers (numbers clamped to their limits), the colours, then, when the text
// store exists, the page texts and the banner banks, and the first bank's lines.
SettingsLoad LoadGallerySettings(const Registry& registry, const std::string& textStorePath);

}  // namespace pixmosa
