// Runs a command and writes to a file its wall time, its processor time in user and in system
// mode and its minor page faults, the processes it waited for included, as /usr/bin/time does
// but in microseconds: a thumbnail run of a tenth of a second is timed to a hundredth by time,
// and time's own start, a few milliseconds, would be counted in its wall time.
// Usage: pixmosa-bench-timed FILE COMMAND [ARGUMENT...]; FILE gets
// "wall user system faults", the times in seconds. It exits as the command did.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace {

double seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double now()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const double start = now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("wait4");
            return 2;
        }
    }
    const double wall = now() - start;
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 2;
    }
    std::fprintf(out, "%.6f %.6f %.6f %ld\n", wall, seconds(usage.ru_utime),
                 seconds(usage.ru_stime), usage.ru_minflt);
    if (std::fclose(out) != 0) {
        std::perror(argv[1]);
        return 2;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
