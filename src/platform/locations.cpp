#include "platform/locations.h"

#include "common/paths.h"
#include "platform/file_system.h"

namespace pixmosa {

namespace {

constexpr const char* kTextStoreFileName = "Pixmosa.dat";

}  // namespace

std::string registryFilePath()
{
    if (std::string path = environmentVariable("PIXMOSA_REGISTRY"); !path.empty()) {
        return path;
    }
    return withTrailingSeparator(applicationConfigDirectory()) + "registry.reg";
}

std::string textStorePath()
{
    if (std::string path = environmentVariable("PIXMOSA_TEXT_STORE"); !path.empty()) {
        return path;
    }
    const std::string programDir = programDirectory();
    if (isOwnProgramDirectory(programDir)) {
        return withTrailingSeparator(programDir) + kTextStoreFileName;
    }
    return withTrailingSeparator(applicationDataDirectory()) + kTextStoreFileName;
}

std::string helpPagePath()
{
    const std::string program = withTrailingSeparator(programDirectory());
    const std::string beside = program + "help" + kPathSeparator + "pixmosa.html";
    if (fileExists(beside)) {
        return beside;
    }
    return withTrailingSeparator(parentDirectory(programDirectory())) + PIXMOSA_INSTALL_DATADIR
           "/pixmosa/help/pixmosa.html";
}

}  // namespace pixmosa
