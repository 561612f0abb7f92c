#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace pixmosa::cli {

enum ExitCode : int { kSuccess = 0, kFailure = 1, kBadUsage = 2 };

// What a command works on and talks to.
struct Context {
    Registry& registry;
    std::string textStorePath;
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Runs one command line (without the program name) and gives the exit code.
int runCommandLine(const std::vector<std::string>& arguments, Context& context);

}  // namespace pixmosa::cli
