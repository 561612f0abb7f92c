#pragma once

#include <string>

namespace pixmosa {

// The file that holds the per-user registry: PIXMOSA_REGISTRY when set, otherwise
// pixmosa/registry.reg in the user's configuration directory.
std::string registryFilePath();

// The text store Pixmosa.dat: PIXMOSA_TEXT_STORE when set, otherwise in the program's own
// directory when that is writable and not below /usr (a build tree or a portable install),
// otherwise in pixmosa/ under the user's data directory.
std::string textStorePath();

// The directory of the running executable, without a trailing separator.
std::string programDirectory();

// The help page: beside the program in a build tree, in the data directory of an installed
// one (share/pixmosa/help beside its bin).
std::string helpPagePath();

}  // namespace pixmosa
