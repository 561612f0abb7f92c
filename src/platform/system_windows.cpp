// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdlib>

#include "platform/system.h"
#include "platform/wide_text.h"

namespace pixmosa {

std::uint64_t physicalMemoryBytes()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return ::GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

std::uint64_t currentProcessId()
{
    return ::GetCurrentProcessId();
}

bool processIsRunning(std::uint64_t id)
{
    HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) {
        // A process that ran under another user may refuse the question; it runs.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

bool standardErrorIsTerminal()
{
    return ::GetFileType(::GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_CHAR;
}

// Windows asks a program's windows to close (a logout, the task manager), which the window
// hears as its close; there is nothing to listen to.
int endRequestDescriptor()
{
    return -1;
}

void takeEndRequest() {}

std::vector<std::string> programArguments(int, char**)
{
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        arguments.push_back(narrowText(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

namespace {

UINT consoleCodePageBefore = 0;

}  // namespace

void printUtf8ToConsole()
{
    if (consoleCodePageBefore != 0 ||
        ::GetFileType(::GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_CHAR) {
        return;
    }
    consoleCodePageBefore = ::GetConsoleOutputCP();
    ::SetConsoleOutputCP(CP_UTF8);
    std::atexit([] { ::SetConsoleOutputCP(consoleCodePageBefore); });
}

}  // namespace pixmosa
