#pragma once

#include <cstdint>

namespace pixmosa {

// To the nearest whole number, a value exactly halfway going to the even neighbour
// (62.5 gives 62, 63.5 gives 64), whatever the processor's rounding mode.
std::int64_t roundHalfEven(double value);

}  // namespace pixmosa
