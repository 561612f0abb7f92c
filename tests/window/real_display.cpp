#include "window/real_display.h"

#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace pixmosa::test {

namespace {

pid_t spawn(const std::vector<std::string>& command, int keepOpen = -1)
{
    const pid_t child = ::fork();
    if (child == 0) {
        for (int descriptor = 3; descriptor < 256; ++descriptor) {
            if (descriptor != keepOpen) {
                ::close(descriptor);
            }
        }
        std::vector<char*> arguments;
        for (const std::string& argument : command) {
            arguments.push_back(const_cast<char*>(argument.c_str()));
        }
        arguments.push_back(nullptr);
        ::execvp(arguments[0], arguments.data());
        ::_exit(127);
    }
    return child;
}

void stop(pid_t& process)
{
    if (process > 0) {
        ::kill(process, SIGTERM);
        ::waitpid(process, nullptr, 0);
        process = -1;
    }
}

}  // namespace

RealDisplay::RealDisplay()
{
    // The server writes its display number to the pipe once it accepts clients.
    int ready[2];
    if (::pipe(ready) != 0) {
        m_failure = "no pipe";
        return;
    }
    const char* size = std::getenv("PIXMOSA_SCREEN");
    m_server = spawn({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                      size != nullptr ? size : "1280x1024x24", "-nolisten", "tcp"},
                     ready[1]);
    ::close(ready[1]);
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char byte = 0;
    while (::poll(&wait, 1, 10000) == 1 && ::read(ready[0], &byte, 1) == 1 && byte != '\n') {
        number += byte;
    }
    ::close(ready[0]);
    if (number.empty()) {
        m_failure = "Xvfb did not start (is the xvfb package installed?)";
        return;
    }
    ::setenv("DISPLAY", (":" + number).c_str(), 1);

    // openbox runs its start-up command once it manages the screen.
    const std::string started =
        std::filesystem::temp_directory_path() / ("pixmosa-openbox-" + std::to_string(::getpid()));
    std::filesystem::remove(started);
    m_windowManager = spawn({"openbox", "--sm-disable", "--startup", "touch " + started});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(started) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!std::filesystem::exists(started)) {
        m_failure = "openbox did not start (is the openbox package installed?)";
        return;
    }
    std::filesystem::remove(started);
}

RealDisplay::~RealDisplay()
{
    stop(m_windowManager);
    stop(m_server);
}

}  // namespace pixmosa::test
