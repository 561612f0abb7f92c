#pragma once

#include <QImage>

#include "thumbs/orientation.h"

namespace pixmosa {

// The picture turned upright, the same way as a thumbnail is.
QImage uprightPicture(const QImage& stored, Orientation orientation);

}  // namespace pixmosa
