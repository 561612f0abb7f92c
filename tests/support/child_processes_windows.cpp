// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <thread>
#include <vector>

#include "support/child_processes.h"

namespace pixmosa::test {

// Without fork, the side-by-side programs are threads, each with files and locks of its own,
// which the system keeps apart as it keeps programs apart.
bool succeedInChildren(int count, const std::function<bool(int)>& work)
{
    std::vector<char> succeeded(static_cast<std::size_t>(count), 0);
    {
        std::vector<std::jthread> children;
        for (int number = 0; number < count; ++number) {
            children.emplace_back([&, number] {
                succeeded[static_cast<std::size_t>(number)] = work(number) ? 1 : 0;
            });
        }
    }
    for (const char each : succeeded) {
        if (each == 0) {
            return false;
        }
    }
    return true;
}

std::uint64_t endedProcessId()
{
    wchar_t commandLine[] = L"cmd.exe /c exit 0";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &process)) {
        return 0;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return process.dwProcessId;
}

std::uint64_t otherLiveProcessId()
{
    // The system's own processes outlive any test.
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    std::uint64_t found = 0;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && found == 0;
         more = ::Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID != 0 && entry.th32ProcessID != ::GetCurrentProcessId()) {
            found = entry.th32ProcessID;
        }
    }
    ::CloseHandle(snapshot);
    return found;
}

}  // namespace pixmosa::test
