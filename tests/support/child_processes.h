#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace pixmosa::test {

// Runs `work` with the numbers 0 to count - 1 in as many child processes at once, as programs
// that run side by side, and tells whether each returned true.
bool succeedInChildren(int count, const std::function<bool(int)>& work);

// The id of a child process that has ended, as the id of a writer that no longer runs; 0 when
// none could be started.
std::uint64_t endedProcessId();

// The id of a process other than this one that runs for as long as the test does.
std::uint64_t otherLiveProcessId();

#ifndef _WIN32
struct ChildOutcome {
    int code = -1;  // what the work returned, or -1 when the child did not end normally
    std::string text;
};

// Runs `work` in a child process without privileges, so that the permissions of files count as
// they do for a user: run as root, the child becomes the user nobody, and everything it uses
// must be open to other users. Gives back the code and the text the work returned.
ChildOutcome runUnprivileged(const std::function<std::pair<int, std::string>()>& work);
#endif

}  // namespace pixmosa::test
