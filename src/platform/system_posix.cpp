#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include "platform/system.h"

namespace pixmosa {

namespace {

int endSockets[2] = {-1, -1};

// Only a write is safe inside a signal handler; the event loop hears of it on the socket.
void onEndSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    (void)!::write(endSockets[0], &byte, 1);
    errno = savedErrno;
}

}  // namespace

std::uint64_t physicalMemoryBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

std::uint64_t currentProcessId()
{
    return static_cast<std::uint64_t>(::getpid());
}

bool processIsRunning(std::uint64_t id)
{
    return !(::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH);
}

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) != 0;
}

int endRequestDescriptor()
{
    if (endSockets[1] >= 0) {
        return endSockets[1];
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, endSockets) != 0) {
        return -1;
    }
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
    return endSockets[1];
}

void takeEndRequest()
{
    char byte = 0;
    (void)!::read(endSockets[1], &byte, 1);
}

std::vector<std::string> programArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void printUtf8ToConsole() {}

}  // namespace pixmosa
