#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/command_observer.h"
#include "common/result.h"

namespace pixmosa {

struct ThumbnailJob {
    std::size_t position;  // in the image list, from 0
    std::string source;
    std::string destination;
};

// The number of workers when none is asked for: one per processor.
unsigned defaultWorkerCount();

// Makes the thumbnails on `workers` threads (0: one per processor) while the caller's thread
// reports "Creating thumbnail n of count" and writes them, both in list order, and lets the
// window breathe. The first failure in list order stops the run with its error: no thumbnail of
// a later image is written, and nothing is written once this returns.
Status makeThumbnailsInParallel(const std::vector<ThumbnailJob>& jobs, std::size_t listCount,
                                std::uint32_t size, unsigned workers, CommandObserver& observer);

}  // namespace pixmosa
