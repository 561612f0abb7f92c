#pragma once

#include "common/result.h"
#include "generator/run_state.h"

namespace pixmosa {

// Writes gallery page `state.CurrentPage`: the page bars, the Index Page links and the table of
// thumbnails taken from the list from `state.ImageIndex` on, each of their sizes read from the
// thumbnail file. With the image shell on, each image's page is written right after its cell's
// thumbnail. Fails with the error of the file that could not be read or written.
Status writeGalleryPage(const GalleryContext& context, RunState& state);

}  // namespace pixmosa
