#pragma once

#include "common/result.h"
#include "generator/page_writer.h"
#include "generator/run_state.h"
#include "thumbs/image_size.h"

namespace pixmosa {

// Writes gallery page `state.CurrentPage`, once prepareGalleryPages has prepared the run: the page
// bars, the Index Page links and the table of thumbnails taken from the list from
// `state.ImageIndex` on, each of their sizes read from the thumbnail file. With the image shell on,
// each image's page is made right after its cell's thumbnail. The pages are handed to `writer`.
// Fails with the error of the file that could not be read, or of a page that could not be written.
Status writeGalleryPage(const GalleryContext& context, RunState& state, PageWriter& writer);

// What every gallery page of a run of `pageCount` pages shares, made once for the run: the
// pages' links and their cells in the page bar.
void prepareGalleryPages(GalleryContext& context, std::int64_t pageCount);

// A thumbnail's size as its gallery page shows it: upright, and 0 x 0 for an empty file.
Result<ImageSize> thumbnailSize(const std::string& path);

}  // namespace pixmosa
