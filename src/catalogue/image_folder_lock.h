#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/command_observer.h"
#include "platform/folder_lock.h"

namespace pixmosa {

// "Waiting for another Pixmosa command working in " + the folder + "…".
std::string waitingForFolderText(std::string_view imageDir);

// Takes the lock of the image directory that a command holding it writes into for its whole run
// (making thumbnails, a gallery, renaming), so two commands, from two programs or two windows,
// never work in one folder at once. While another holds it, tells so in the status and waits,
// asking the observer between tries, so a window stays responsive and can stop the wait; asked
// to stop, gives nothing.
std::optional<FolderLock> lockImageDirectory(std::string_view imageDir, CommandObserver& observer);

}  // namespace pixmosa
