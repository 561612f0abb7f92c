#pragma once

#include <string>
#include <vector>

#include "common/result.h"
#include "settings/gallery_settings.h"
#include "thumbs/thumbnail_pool.h"

namespace pixmosa {

// Where thumbnails may be written: only below the image directory, never onto a photo, never
// through a symbolic link. The thumbnail commands ask before they make or write anything.

// Refuses a thumbnail folder that is not a sub-folder of the image directory, naming the
// setting: an absolute ThumbsDir, one whose ".." climbs out, or one that a symbolic link leads
// elsewhere (that is looked at only where the image directory exists).
Status checkThumbnailFolder(const GallerySettings& settings);

// Creates the thumbnail directory with every missing parent, or says which folder could not be
// made and why.
Status makeThumbnailDirectory(const GallerySettings& settings);

// Refuses a thumbnail whose file would be a symbolic link or one of the run's images (the same
// file by device and inode, so hard links and names that differ only in letter case on a file
// system that ignores case are caught too).
Status checkThumbnailDestinations(const std::vector<ThumbnailJob>& jobs,
                                  const std::vector<std::string>& imagePaths);

}  // namespace pixmosa
