#include "window/close_on_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>

namespace pixmosa {

namespace {

int signalSockets[2] = {-1, -1};

// Only a write is safe inside a signal handler; the window hears of it in its event loop.
void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    (void)!::write(signalSockets[0], &byte, 1);
    errno = savedErrno;
}

}  // namespace

void closeOnSignals(QWidget& window)
{
    if (signalSockets[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        (void)!::read(signalSockets[1], &byte, 1);
        window.close();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // A second signal ends the program at once, should closing not end it (a box still open).
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

}  // namespace pixmosa
