#pragma once

#include <QColor>
#include <optional>

class QWidget;

namespace pixmosa {

// The colour dialog: Qt's colour picker in an area that scrolls where the screen is smaller
// than the picker (a laptop at twice the scale), with OK and Cancel always in view below it.
std::optional<QColor> chooseColourWithinScreen(QWidget* parent, const QColor& current);

}  // namespace pixmosa
