#include "platform/windows_paths.h"

#include <windows.h>

namespace pixmosa {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongNetworkPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
// 100-nanosecond ticks from 1601 to 1970.
constexpr std::uint64_t kTicksBefore1970 = 116444736000000000ull;

}  // namespace

bool redirectsElsewhere(unsigned long attributes, unsigned long reparseTag)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           (reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == IO_REPARSE_TAG_MOUNT_POINT);
}

std::wstring longPathForm(std::wstring fullPath)
{
    if (fullPath.starts_with(kLongPrefix) || fullPath.starts_with(kDevicePrefix)) {
        return fullPath;
    }
    if (fullPath.starts_with(L"\\\\")) {
        return std::wstring(kLongNetworkPrefix) + fullPath.substr(2);
    }
    const bool drive = fullPath.size() >= 3 && fullPath[1] == L':' && fullPath[2] == L'\\';
    return drive ? std::wstring(kLongPrefix) + fullPath : fullPath;
}

std::wstring ordinaryPathForm(std::wstring path)
{
    if (path.starts_with(kLongNetworkPrefix)) {
        return L"\\\\" + path.substr(kLongNetworkPrefix.size());
    }
    if (path.starts_with(kLongPrefix)) {
        return path.substr(kLongPrefix.size());
    }
    return path;
}

std::int64_t nanosecondsSinceEpoch(std::uint64_t ticksSince1601)
{
    return (static_cast<std::int64_t>(ticksSince1601) -
            static_cast<std::int64_t>(kTicksBefore1970)) *
           100;
}

}  // namespace pixmosa
