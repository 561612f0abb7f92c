#include "window/close_on_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>
#include <csignal>

namespace pixmosa {

namespace {

int signalSockets[2] = {-1, -1};

// Only a write is safe inside a signal handler; the window hears of it in its event loop.
void onSignal(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    (void)!::write(signalSockets[0], &byte, 1);
}

}  // namespace

void closeOnSignals(QWidget& window)
{
    if (signalSockets[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) {
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
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

}  // namespace pixmosa
