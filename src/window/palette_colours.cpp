#include "window/palette_colours.h"

#include <QApplication>
#include <QPalette>
#include <optional>

namespace pixmosa {

namespace {

std::optional<QPalette::ColorRole> roleOf(int index)
{
    switch (index) {
    case 4:  // menu
        return QPalette::Window;
    case 5:  // window
        return QPalette::Base;
    case 7:  // menu text
        return QPalette::WindowText;
    case 8:  // window text
        return QPalette::Text;
    case 13:  // highlight
        return QPalette::Highlight;
    case 14:  // highlight text
        return QPalette::HighlightedText;
    case 15:  // button face
        return QPalette::Button;
    case 16:  // button shadow
        return QPalette::Dark;
    case 18:  // button text
        return QPalette::ButtonText;
    case 20:  // button highlight
        return QPalette::Light;
    case 21:  // 3D dark shadow
        return QPalette::Shadow;
    case 22:  // 3D light
        return QPalette::Midlight;
    case 23:  // tooltip text
        return QPalette::ToolTipText;
    case 24:  // tooltip background
        return QPalette::ToolTipBase;
    case 26:  // hot light
        return QPalette::Link;
    default:
        return std::nullopt;
    }
}

}  // namespace

std::uint32_t PaletteSystemColours::colourOf(int index) const
{
    const std::optional<QPalette::ColorRole> role = roleOf(index);
    if (!role) {
        return StandardSystemColours().colourOf(index);
    }
    const QColor colour = QApplication::palette().color(*role);
    return static_cast<std::uint32_t>(colour.red()) |
           (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

}  // namespace pixmosa
