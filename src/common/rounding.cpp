#include "common/rounding.h"

#include <cmath>

namespace pixmosa {

std::int64_t roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded = below + 1.0;
    }
    return static_cast<std::int64_t>(rounded);
}

}  // namespace pixmosa
