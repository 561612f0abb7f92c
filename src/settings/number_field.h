#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/gallery_settings.h"

namespace pixmosa {

// A 32-bit whole number with an optional sign and blanks around it; nothing for any other text,
// a number beyond the 32-bit range included.
std::optional<std::int64_t> parseWholeNumber(std::string_view text);

std::int32_t clampToLimits(const FieldInfo& field, std::int64_t value);

// What a number field holds after it is left: the clamped number, or its minimum when the text
// is not a whole number. `showClamped` tells when the field must now show the value instead of
// its text: a number beyond the limits, or a text that is not one (the field then shows what is
// stored rather than a text that no longer counts).
struct NumberEntry {
    std::int32_t value;
    bool showClamped;
};
NumberEntry numberFromText(const FieldInfo& field, std::string_view text);

}  // namespace pixmosa
