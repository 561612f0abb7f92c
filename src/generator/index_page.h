#pragma once

#include <cstdint>

#include "common/command_observer.h"
#include "common/result.h"
#include "generator/page_thumbnail_draw.h"
#include "generator/page_writer.h"
#include "generator/run_state.h"

namespace pixmosa {

// The layout of the page-link table for a number of gallery pages.
struct IndexLayout {
    std::int64_t linkCols = 0;
    std::int64_t linkRows = 0;
    std::int64_t linkThumbHeight = 0;
};
IndexLayout indexLayout(std::int64_t pageCount);

// Writes the index page: the totals and one cell per gallery page with a thumbnail drawn from
// that page, linking to it unless page links are disabled; handed to `writer`.
Status writeIndexPage(const GalleryContext& context, const RunState& state, PageThumbnailDraw& draw,
                      CommandObserver& observer, PageWriter& writer);

}  // namespace pixmosa
