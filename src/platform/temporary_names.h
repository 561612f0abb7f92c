#pragma once

#include <string>
#include <string_view>

namespace pixmosa {

// The names files are written under before they take their own, beside them: "." and the
// name (shortened to fit a name's longest length), ".tmp-", the writing process's id, a token
// of its run, "-" and a counter. No two writers share one, and each tells whose it is, so the
// temporaries of writers that were killed can be cleared by the next run.
std::string temporaryNameBeside(const std::string& target);

// The name a photo has for a moment while only the letter case of its name changes, in the
// folder of `path`: it ends in ".jpg", so a photo caught there by a kill stays in the image list,
// and it is not a temporary name, so nothing ever clears it.
std::string caseChangeNameBeside(const std::string& path);

// True for a temporary name whose writer no longer runs: another process that has ended, or an
// earlier run of this process's id.
bool isLeftByEndedWriter(std::string_view name);

}  // namespace pixmosa
