#pragma once

#include <sys/types.h>

#include <string>

namespace pixmosa::test {

// A real X display for the tests that only a real one can answer (the pointer crossing
// windows, a window manager closing a window): a virtual X server and the openbox window
// manager on it, started here and stopped when this goes. DISPLAY names the display meanwhile;
// PIXMOSA_SCREEN sets its size (1280x1024x24 unless it says otherwise).
class RealDisplay {
public:
    RealDisplay();
    ~RealDisplay();
    RealDisplay(const RealDisplay&) = delete;
    RealDisplay& operator=(const RealDisplay&) = delete;

    // Empty once both run; otherwise what failed.
    const std::string& failure() const { return m_failure; }

private:
    pid_t m_server = -1;
    pid_t m_windowManager = -1;
    std::string m_failure;
};

}  // namespace pixmosa::test
