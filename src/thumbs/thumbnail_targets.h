#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/command_observer.h"
#include "common/result.h"
#include "platform/file_system.h"
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

// The run's images by identity, each with the reason a thumbnail in its place is refused with.
ProtectedFiles protectedImages(const std::vector<std::string>& imagePaths);

// Refuses a thumbnail whose file would be a symbolic link or one of the run's images (the same
// file by device and inode, so hard links and names that differ only in letter case on a file
// system that ignores case are caught too). The thumbnail writer asks again at each write.
Status checkThumbnailDestinations(const std::vector<ThumbnailJob>& jobs,
                                  const ProtectedFiles& images);

// Refuses, naming it, the thumbnail of an image whose own name is no name the system can hold
// as a file's (on Windows, the name of a device: opened by that name, the device would be read),
// or whose name with the prefix is longer than the thumbnail folder's file system allows, or is
// no name the system can hold.
Status checkThumbnailName(const GallerySettings& settings, const std::string& image);

// The images whose files can be named, as `checkName` tells of each, found before anything is
// written: keeping going, the others are left out and told to the observer; otherwise the first
// of them refuses the run with its message.
Result<std::vector<std::string>> imagesThatCanBeNamed(
    const std::vector<std::string>& images, bool keepGoing, CommandObserver& observer,
    const std::function<Status(const std::string&)>& checkName);

}  // namespace pixmosa
