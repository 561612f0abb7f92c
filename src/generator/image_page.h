#pragma once

#include "common/result.h"
#include "generator/page_writer.h"
#include "generator/run_state.h"

namespace pixmosa {

// Writes the page of the image at `state.ImageIndex`: the image at its full size between two
// bars leading to the previous image's page, back to gallery page `state.CurrentPage` and to
// the next image's page, handed to `writer`. The size comes from the image file's frame header.
Status writeImagePage(const GalleryContext& context, const RunState& state, PageWriter& writer);

}  // namespace pixmosa
