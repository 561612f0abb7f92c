#pragma once

#include <string>

namespace pixmosa {

// The file that holds the per-user registry where the registry is a file: PIXMOSA_REGISTRY when
// set, otherwise registry.reg in the program's settings folder.
std::string registryFilePath();

// The text store Pixmosa.dat: PIXMOSA_TEXT_STORE when set, otherwise in the program's own
// directory when that is its own (a build tree or a portable install), otherwise in the
// program's data folder.
std::string textStorePath();

// The directory of the running executable, without a trailing separator.
std::string programDirectory();

// What the platform's own rules decide: the value of an environment variable (empty when not
// set), the folder of the program's settings and of its data (on Linux the XDG directories,
// on Windows the roaming and the local application data), and whether the program's own
// directory is one it may keep its data in (a build tree or a portable copy: writable, and no
// system directory).
std::string environmentVariable(const char* name);
std::string applicationConfigDirectory();
std::string applicationDataDirectory();
bool isOwnProgramDirectory(const std::string& directory);

// The help page: beside the program in a build tree, in the data directory of an installed
// one (share/pixmosa/help beside its bin).
std::string helpPagePath();

}  // namespace pixmosa
