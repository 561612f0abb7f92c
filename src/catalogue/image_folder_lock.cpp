#include "catalogue/image_folder_lock.h"

#include <chrono>
#include <thread>

#include "common/paths.h"

namespace pixmosa {

std::string waitingForFolderText(std::string_view imageDir)
{
    return "Waiting for another Pixmosa command working in " + std::string(imageDir) + "\u2026";
}

std::optional<FolderLock> lockImageDirectory(std::string_view imageDir, CommandObserver& observer)
{
    const std::string directory = withTrailingSeparator(imageDir);
    bool told = false;
    for (;;) {
        if (std::optional<FolderLock> lock = FolderLock::tryAcquire(directory)) {
            return lock;
        }
        if (!told) {
            observer.status(waitingForFolderText(imageDir));
            told = true;
        }
        observer.breathe();
        if (observer.stopRequested()) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace pixmosa
