#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/locations.h"

namespace pixmosa {

namespace {

std::string homeDirectory()
{
    std::string home = environmentVariable("HOME");
    if (home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid())) {
            home = user->pw_dir;
        }
    }
    return home;
}

// An XDG base directory: the variable when it holds an absolute path, else the fallback
// below the home directory.
std::string baseDirectory(const char* variable, const char* fallbackBelowHome)
{
    std::string directory = environmentVariable(variable);
    if (directory.empty() || directory.front() != '/') {
        directory = homeDirectory() + "/" + fallbackBelowHome;
    }
    return directory;
}

}  // namespace

std::string environmentVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string applicationConfigDirectory()
{
    return baseDirectory("XDG_CONFIG_HOME", ".config") + "/pixmosa";
}

std::string applicationDataDirectory()
{
    return baseDirectory("XDG_DATA_HOME", ".local/share") + "/pixmosa";
}

// A build tree or a portable install: writable, and not a system directory, which the
// administrator could write to as well.
bool isOwnProgramDirectory(const std::string& directory)
{
    return !directory.empty() && directory.rfind("/usr/", 0) != 0 &&
           ::access(directory.c_str(), W_OK) == 0;
}

std::string programDirectory()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return {};
    }
    return parentDirectory(std::string(buffer, static_cast<std::size_t>(length)));
}

}  // namespace pixmosa
