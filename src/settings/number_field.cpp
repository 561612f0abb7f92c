#include "settings/number_field.h"

#include <algorithm>
#include <limits>

namespace pixmosa {

std::optional<std::int64_t> parseWholeNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // A number a 32-bit field cannot hold is no number of that field, as an empty text is not.
    const std::int64_t limit = std::numeric_limits<std::int32_t>::max() + (negative ? 1LL : 0LL);
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return negative ? -value : value;
}

std::int32_t clampToLimits(const FieldInfo& field, std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, field.minimum, field.maximum));
}

NumberEntry numberFromText(const FieldInfo& field, std::string_view text)
{
    const std::optional<std::int64_t> parsed = parseWholeNumber(text);
    if (!parsed) {
        return {field.minimum, true};
    }
    const std::int32_t value = clampToLimits(field, *parsed);
    return {value, value != *parsed};
}

}  // namespace pixmosa
