#include <windows.h>

#include "platform/system.h"

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

}  // namespace pixmosa
