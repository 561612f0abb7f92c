#pragma once

#include <string>
#include <string_view>

#include "common/result.h"
#include "generator/page_file.h"
#include "generator/run_state.h"

namespace pixmosa {

// The address the credit line on every page links to.
inline constexpr std::string_view kHomePage = "https://pixmosa.org/";

// The body tag of gallery and index pages: the gallery background image and, unless the
// browser's own colours are wanted, the five gallery colours.
std::string galleryBodyTag(const GalleryContext& context);

// The body tag of image pages: the gallery's when default or gallery colours are wanted,
// otherwise the five image colours and never a background image.
std::string imageBodyTag(const GalleryContext& context);

// The credit line, or nothing when the banner is disabled.
void writeCreditLine(PageFile& page, const GallerySettings& settings);

// The frame around a page's own content. The start writes the head with the title and header
// code, the body tag, the scripts of the banner banks that the header or footer name, and the
// header; it gives back the footer with its banner tags replaced, for the end.
struct PageTexts {
    std::string_view title;
    std::string bodyTag;
    std::string_view header;
    std::string_view footer;
};
Result<std::string> writePageStart(PageFile& page, const GalleryContext& context,
                                   const PageTexts& texts);
void writePageEnd(PageFile& page, std::string_view footer);

}  // namespace pixmosa
