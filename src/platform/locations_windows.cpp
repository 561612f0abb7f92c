// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <cstdlib>

#include "common/paths.h"
#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/temporary_names.h"
#include "platform/wide_text.h"

namespace pixmosa {

namespace {

constexpr const char* kProgramFolder = "Pixmosa";

std::string knownFolder(REFKNOWNFOLDERID folder)
{
    wchar_t* path = nullptr;
    std::string found;
    if (::SHGetKnownFolderPath(folder, KF_FLAG_CREATE, nullptr, &path) == S_OK) {
        found = narrowText(path);
    }
    ::CoTaskMemFree(path);
    return found;
}

}  // namespace

std::string environmentVariable(const char* name)
{
    const wchar_t* value = ::_wgetenv(wideText(name).c_str());
    return value != nullptr ? narrowText(value) : std::string();
}

std::string applicationConfigDirectory()
{
    return withTrailingSeparator(knownFolder(FOLDERID_RoamingAppData)) + kProgramFolder;
}

std::string applicationDataDirectory()
{
    return withTrailingSeparator(knownFolder(FOLDERID_LocalAppData)) + kProgramFolder;
}

// A portable copy: the program may write beside itself. Asked by making a file there that
// goes again when closed, under a name of this run's own, so a probe left behind or another
// copy starting at the same moment cannot make the folder look read-only.
bool isOwnProgramDirectory(const std::string& directory)
{
    if (directory.empty()) {
        return false;
    }
    const std::string probe = temporaryNameBeside(withTrailingSeparator(directory) + "write-probe");
    HANDLE file = ::CreateFileW(widePath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(file);
    return true;
}

std::string programDirectory()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    return parentDirectory(narrowText(name));
}

}  // namespace pixmosa
