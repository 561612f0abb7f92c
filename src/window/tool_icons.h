#pragma once

#include <QIcon>

namespace pixmosa {

// The Exit button's glyph: a white cross on a red disc, which reads on light and dark palettes
// alike (the style's own close glyph is a dark cross that all but vanishes on a dark one).
QIcon exitIcon();

}  // namespace pixmosa
