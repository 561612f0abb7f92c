#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/shell_open.h"

namespace pixmosa {

Status openWithDesktop(const std::string& path)
{
    // Two forks, so the opener belongs to no one and never waits to be collected.
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            const int devNull = ::open("/dev/null", O_RDWR);
            if (devNull >= 0) {
                ::dup2(devNull, STDIN_FILENO);
                ::dup2(devNull, STDOUT_FILENO);
                ::dup2(devNull, STDERR_FILENO);
            }
            ::execlp("xdg-open", "xdg-open", path.c_str(), static_cast<char*>(nullptr));
        }
        ::_exit(0);
    }
    if (child < 0) {
        return Status::failure(systemErrorText(errno));
    }
    ::waitpid(child, nullptr, 0);
    return Status::success();
}

}  // namespace pixmosa
