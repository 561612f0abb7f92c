#include "window/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace pixmosa {

namespace {

constexpr int kFramedMilliseconds = 100;
constexpr int kFramedTries = 50;

// The frame the window manager gave a window, once it has framed it. The widget's own
// frameGeometry() keeps the first frame it read, which can be the frame before the window
// manager sized it; the window's handle reads it again whenever it changed.
std::optional<QMargins> ownFrame(const QWidget* widget)
{
    const QWindow* handle = widget->windowHandle();
    if (handle == nullptr) {
        return std::nullopt;
    }
    const QMargins found = handle->frameMargins();
    const bool known = !found.isNull() && found.left() >= 0 && found.top() >= 0 &&
                       found.right() >= 0 && found.bottom() >= 0;
    return known ? std::optional(found) : std::nullopt;
}

// Before a window is framed, the frame of a window already shown stands for it, else room for
// a title bar and borders.
QMargins frameOf(const QWidget* window)
{
    if (const std::optional<QMargins> own = ownFrame(window)) {
        return *own;
    }
    for (const QWidget* shown : QApplication::topLevelWidgets()) {
        if (shown != window && shown->isVisible()) {
            if (const std::optional<QMargins> other = ownFrame(shown)) {
                return *other;
            }
        }
    }
    return {8, 32, 8, 8};
}

// A dialog can have a thicker frame than the window that stood for it (a grip to resize it):
// fitted again by its own frame once it has one, which on a busy machine can take a while.
void fitOnceFramed(QWidget* widget, int triesLeft)
{
    QTimer::singleShot(kFramedMilliseconds, widget, [widget, triesLeft] {
        if (ownFrame(widget)) {
            fitWithinScreen(widget);
        } else if (triesLeft > 1) {
            fitOnceFramed(widget, triesLeft - 1);
        }
    });
}

}  // namespace

void fitWithinScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect free = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    const QSize room(free.width() - frame.left() - frame.right(),
                     free.height() - frame.top() - frame.bottom());
    const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
    if (size != window->size()) {
        window->resize(size);
    }
    const QSize outer = size.grownBy(frame);
    const QPoint at(std::clamp(window->x(), free.left(),
                               std::max(free.left(), free.right() + 1 - outer.width())),
                    std::clamp(window->y(), free.top(),
                               std::max(free.top(), free.bottom() + 1 - outer.height())));
    if (at != window->pos()) {
        window->move(at);
    }
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && type != Qt::ToolTip && type != Qt::Popup) {
            fitWithinScreen(widget);
            fitOnceFramed(widget, kFramedTries);
        }
    }
    return false;
}

}  // namespace pixmosa
