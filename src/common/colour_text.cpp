#include "common/colour_text.h"

#include <array>
#include <cstdio>

namespace pixmosa {

namespace {

constexpr std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return red | (green << 8) | (blue << 16);
}

// Scroll bar, desktop, active and inactive caption, menu, window, window frame, menu text,
// window text, caption text, active and inactive border, application workspace, highlight,
// highlight text, button face, button shadow, grey text, button text, inactive caption text,
// button highlight, 3D dark shadow, 3D light, tooltip text and background, (none), hot
// light, caption gradients, menu highlight and menu bar.
constexpr std::array<std::uint32_t, 31> kStandardScheme{
    rgb(200, 200, 200), rgb(0, 0, 0),       rgb(153, 180, 209), rgb(191, 205, 219),
    rgb(240, 240, 240), rgb(255, 255, 255), rgb(100, 100, 100), rgb(0, 0, 0),
    rgb(0, 0, 0),       rgb(0, 0, 0),       rgb(180, 180, 180), rgb(244, 247, 252),
    rgb(171, 171, 171), rgb(0, 120, 215),   rgb(255, 255, 255), rgb(240, 240, 240),
    rgb(160, 160, 160), rgb(109, 109, 109), rgb(0, 0, 0),       rgb(0, 0, 0),
    rgb(255, 255, 255), rgb(105, 105, 105), rgb(227, 227, 227), rgb(0, 0, 0),
    rgb(255, 255, 225), rgb(0, 0, 0),       rgb(0, 102, 204),   rgb(185, 209, 234),
    rgb(215, 228, 242), rgb(51, 153, 255),  rgb(240, 240, 240),
};

constexpr std::uint32_t kSystemColourFlag = 0x80000000;

}  // namespace

std::uint32_t StandardSystemColours::colourOf(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < kStandardScheme.size()
               ? kStandardScheme[static_cast<std::size_t>(index)]
               : 0;
}

std::string colourText(std::int32_t colour, const SystemColours& systemColours)
{
    auto value = static_cast<std::uint32_t>(colour);
    if ((value & kSystemColourFlag) != 0) {
        value = systemColours.colourOf(static_cast<int>(value & 0xFF));
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06X", value);
    const std::string hex(digits);
    const std::size_t length = hex.size();
    std::string text = "#";
    return text.append(hex, length - 2, 2).append(hex, 2, 2).append(hex, 0, 2);
}

}  // namespace pixmosa
