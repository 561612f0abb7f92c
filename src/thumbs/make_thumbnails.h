#pragma once

#include <string>
#include <vector>

#include "common/command_observer.h"
#include "common/result.h"
#include "platform/folder_lock.h"
#include "settings/gallery_settings.h"
#include "thumbs/thumbnail_pool.h"

namespace pixmosa {

// The Make Thumbnails command, run under the image directory's lock (lockImageDirectory):
// remakes the thumbnail of every image in list order, creating the thumbnail directory when it
// is missing. It does nothing when the image directory does not exist, tells the user when the
// list is empty, and refuses to start when a thumbnail would replace its own image or could not
// be named (keeping going, such an image is left out). The thumbnails are made as `work` says;
// a failure stops the command at the first failing image in list order with its error, and
// the thumbnails made before it stay.
Result<CommandEnd> MakeThumbnails(const FolderLock& folder, const GallerySettings& settings,
                                  const std::vector<std::string>& images, CommandObserver& observer,
                                  const ThumbnailWork& work = {});

// "Creating thumbnail " + n + " of " + count.
std::string creatingThumbnailText(std::size_t number, std::size_t count);

}  // namespace pixmosa
