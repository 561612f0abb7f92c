// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/shell_open.h"
#include "platform/wide_text.h"

namespace pixmosa {

void openWithDesktop(const std::string& path)
{
    ::ShellExecuteW(nullptr, L"open", widePath(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace pixmosa
