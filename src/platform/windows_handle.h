#pragma once

#include <windows.h>

#include <utility>

namespace pixmosa {

// A handle of the system's, closed when it goes (the Windows build only).
class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (valid()) {
            ::CloseHandle(m_handle);
        }
    }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE get() const { return m_handle; }
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }

private:
    HANDLE m_handle;
};

}  // namespace pixmosa
