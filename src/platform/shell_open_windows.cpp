// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/shell_open.h"
#include "platform/wide_text.h"

namespace pixmosa {

Status openWithDesktop(const std::string& path)
{
    const std::wstring file = wideShellPath(path);
    SHELLEXECUTEINFOW open{};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_FLAG_NO_UI;
    open.lpVerb = L"open";
    open.lpFile = file.c_str();
    open.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&open)) {
        return Status::failure(windowsErrorText(::GetLastError()));
    }
    return Status::success();
}

}  // namespace pixmosa
