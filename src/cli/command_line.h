#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "thumbs/thumbnail_pool.h"

namespace pixmosa::cli {

enum ExitCode : int { kSuccess = 0, kFailure = 1, kBadUsage = 2 };

// What a command works on and talks to.
struct Context {
    Registry& registry;
    std::string textStorePath;
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
    // Replaces the stored image directory for this one call.
    std::optional<std::string> imageDir = std::nullopt;
    // Threads that make thumbnails and the memory their decoders may hold (--jobs and
    // --memory-limit); 0: one per processor, half of physical memory.
    ThumbnailWork thumbnailWork = {};
};

void printUsage(std::ostream& stream);

// Runs one command line (without the program name) and gives the exit code.
int runCommandLine(std::vector<std::string> arguments, Context& context);

}  // namespace pixmosa::cli
