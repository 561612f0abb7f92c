#pragma once

class QWidget;

namespace pixmosa {

// Closes the window, as its close button does, when the system asks the program to end (on
// Linux SIGTERM, SIGINT or SIGHUP, as at a logout), so that the field being typed in and the
// window's position are stored first.
void closeOnSignals(QWidget& window);

}  // namespace pixmosa
