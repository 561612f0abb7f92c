#pragma once

#include <QObject>

class QWidget;

namespace pixmosa {

// Makes a window or dialog no larger than the free area of the screen it opens on, its frame
// included, as far as its layout lets it shrink, and moves it wholly onto that area.
void fitWithinScreen(QWidget* window);

// Fits every window and dialog of the program as it is shown: the program's own and the
// system's (messages, the folder dialog), at any scale.
class ScreenFit final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace pixmosa
