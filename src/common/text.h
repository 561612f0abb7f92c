#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pixmosa {

// Only the letters A to Z are folded: names are compared the way the stores compare them,
// whatever the user's locale.
std::string asciiLower(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

// Removes the characters whose code is below 33 (blanks and control characters) from both ends.
std::string_view trimControlAndBlank(std::string_view text);

// Splits a text into lines ending at CR, LF or CR LF; the empty rest after the final line
// break makes no line, so "a\r\nb\r\n" gives a and b.
std::vector<std::string> splitLines(std::string_view text);

// The lines of a file: each ends at LF, a CR before the LF is dropped, and a last line
// without a line end still counts.
std::vector<std::string> splitFileLines(std::string_view text);

// Each line followed by CR LF, the form in which a multi-line text is loaded and shown.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// Replaces every occurrence, searching again from the start after each replacement, so an
// occurrence that a replacement forms is replaced too. `to` must not contain `from`.
std::string replaceAllRepeated(std::string text, std::string_view from, std::string_view to);

// Puts the name in place of the first "%s" of a message pattern.
std::string formatWithName(std::string_view pattern, std::string_view name);

}  // namespace pixmosa
