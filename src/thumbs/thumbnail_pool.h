#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/command_observer.h"
#include "common/result.h"

namespace pixmosa {

// How a command makes its thumbnails: on how many threads (0: one per processor), and within
// how much memory for the decoders of all of them together (0: half of physical memory).
// With keepGoing, an image whose thumbnail cannot be made is reported as left out and the
// others are still made; otherwise the first failure stops the command.
struct ThumbnailWork {
    unsigned workers = 0;
    std::uint64_t memoryLimit = 0;
    bool keepGoing = false;
};

struct ThumbnailJob {
    std::size_t position;  // in the image list, from 0
    std::string source;
    std::string destination;
};

// The number of workers when none is asked for: one per processor.
unsigned defaultWorkerCount();

// How a pass of thumbnails ended without an error: the list positions of the images left out
// (keeping going), and whether it stopped early because the observer asked it to.
struct ThumbnailPass {
    std::vector<std::size_t> leftOut;
    bool stopped = false;
};

// Makes the thumbnails on the workers' threads, within the memory limit, while the caller's thread
// reports "Creating thumbnail n of count" and writes them, both in list order, and lets the
// window breathe. `imagePaths` are the paths of the whole list, none of which a thumbnail may
// replace: such a thumbnail, or one in a symbolic link's place, stops the run before anything
// is written. The first failure in list order stops the run with its error: no thumbnail of
// a later image is written, and nothing is written once this returns. Keeping going, it gives
// the list positions of the images whose photos cannot be read instead; a thumbnail that cannot
// be written still stops the run. Asked to stop, it ends before the next thumbnail is written,
// and the decodes under way are cut short.
Result<ThumbnailPass> makeThumbnailsInParallel(const std::vector<ThumbnailJob>& jobs,
                                               const std::vector<std::string>& imagePaths,
                                               std::uint32_t size, const ThumbnailWork& work,
                                               CommandObserver& observer);

}  // namespace pixmosa
