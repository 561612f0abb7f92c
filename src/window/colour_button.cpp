#include "window/colour_button.h"

#include <QPainter>

#include "common/colour_text.h"
#include "window/palette_colours.h"
#include "window/qt_text.h"

namespace pixmosa {

ColourButton::ColourButton(Field field, const QString& description, QWidget* parent)
    : QToolButton(parent), m_description(description), m_field(field)
{
    setObjectName(toQt(settingsField(field).control));
    setFixedSize(17, 17);
    setFocusPolicy(Qt::TabFocus);
    describe();
}

void ColourButton::setColour(std::int32_t colour)
{
    m_colour = colour;
    describe();
    update();
}

void ColourButton::describe()
{
    const QString named = m_description + ", " + toQt(colourText(m_colour, PaletteSystemColours()));
    setAccessibleName(named);
    setToolTip(named);
}

QColor ColourButton::toQColor(std::int32_t colour)
{
    auto value = static_cast<std::uint32_t>(colour);
    if ((value & 0x80000000) != 0) {
        value = PaletteSystemColours().colourOf(static_cast<int>(value & 0xFF));
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::int32_t ColourButton::fromQColor(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void ColourButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(toQColor(m_colour));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
}

}  // namespace pixmosa
