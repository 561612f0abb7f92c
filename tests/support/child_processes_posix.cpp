#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "support/child_processes.h"

namespace pixmosa::test {

bool succeedInChildren(int count, const std::function<bool(int)>& work)
{
    std::vector<pid_t> children;
    for (int number = 0; number < count; ++number) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(work(number) ? 0 : 1);
        }
        children.push_back(child);
    }
    bool succeeded = true;
    for (const pid_t child : children) {
        int status = 0;
        succeeded = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                    WEXITSTATUS(status) == 0 && succeeded;
    }
    return succeeded;
}

std::uint64_t endedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    if (child < 0 || ::waitpid(child, nullptr, 0) != child) {
        return 0;
    }
    return static_cast<std::uint64_t>(child);
}

ChildOutcome runUnprivileged(const std::function<std::pair<int, std::string>()>& work)
{
    int channel[2];
    if (::pipe(channel) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(125);
        }
        const auto [code, text] = work();
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t written = ::write(channel[1], text.data() + done, text.size() - done);
            if (written <= 0) {
                break;
            }
            done += static_cast<std::size_t>(written);
        }
        ::_exit(code);
    }
    ::close(channel[1]);
    ChildOutcome outcome;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        outcome.text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        outcome.code = WEXITSTATUS(status);
    }
    return outcome;
}

std::uint64_t otherLiveProcessId()
{
    return 1;  // init
}

}  // namespace pixmosa::test
