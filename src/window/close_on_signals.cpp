#include "window/close_on_signals.h"

#include <QSocketNotifier>
#include <QWidget>

#include "platform/system.h"

namespace pixmosa {

void closeOnSignals(QWidget& window)
{
    const int requests = endRequestDescriptor();
    if (requests < 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(requests, QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        takeEndRequest();
        window.close();
    });
}

}  // namespace pixmosa
