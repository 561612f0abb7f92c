#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace pixmosa::test {

// Real ICC profiles made in code with LittleCMS, as tests need them on every platform.
// sRGB, made longer by a private tag where `atLeast` asks for more bytes (so it spans several
// APP2 segments).
std::string srgbProfile(std::size_t atLeast = 0);
// Grey with a tone curve of the given gamma and a D50 white.
std::string greyProfile(double gamma);
// A CMYK profile that shows every ink mix as one colour, given as CIE L*a*b*: what a photo
// tagged with it shows is known whatever its inks.
std::string cmykProfileShowing(double lightness, double a, double b);

// The CIE XYZ that a profile gives a pixel of its colour space (8 bits a channel).
std::array<double, 3> xyzOf(const std::string& profile, const unsigned char* pixel);

}  // namespace pixmosa::test
