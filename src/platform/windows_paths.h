#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pixmosa {

// What the Windows layer decides from what the system tells, kept apart as plain functions so
// that tests can try every case, those Wine cannot show among them (the Windows build only).

// True for the reparse points that lead elsewhere, symbolic links and junctions; OneDrive's
// placeholders, deduplicated and compressed files carry reparse points of other kinds and are
// files.
bool redirectsElsewhere(unsigned long attributes, unsigned long reparseTag);

// A path as the system takes it without the 260-character limit: "\\?\C:\..." or
// "\\?\UNC\server\share\..." for a full path ("." and ".." already resolved), as it is for
// any other.
std::wstring longPathForm(std::wstring fullPath);
// A path the system gave in that form, as people write it: "C:\..." or "\\server\share\...".
std::wstring ordinaryPathForm(std::wstring path);

// Nanoseconds since 1970 of a time the system gives in 100-nanosecond ticks since 1601.
std::int64_t nanosecondsSinceEpoch(std::uint64_t ticksSince1601);

}  // namespace pixmosa
