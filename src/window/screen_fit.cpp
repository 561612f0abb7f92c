#include "window/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace pixmosa {

namespace {

constexpr int kFramedMilliseconds = 100;

// Before a window is first shown its frame is not known yet, and while the window manager
// frames it the frame can read as nonsense for a moment: the frame of a window already shown
// stands for it then, else room for a title bar and borders.
QMargins frameOf(const QWidget* window)
{
    const auto margins = [](const QWidget* widget) -> std::optional<QMargins> {
        const QRect frame = widget->frameGeometry();
        const QRect inner = widget->geometry();
        const QMargins found(inner.left() - frame.left(), inner.top() - frame.top(),
                             frame.right() - inner.right(), frame.bottom() - inner.bottom());
        const bool known = !found.isNull() && found.left() >= 0 && found.top() >= 0 &&
                           found.right() >= 0 && found.bottom() >= 0;
        return known ? std::optional(found) : std::nullopt;
    };
    if (const std::optional<QMargins> own = margins(window)) {
        return *own;
    }
    for (const QWidget* shown : QApplication::topLevelWidgets()) {
        if (shown != window && shown->isVisible()) {
            if (const std::optional<QMargins> other = margins(shown)) {
                return *other;
            }
        }
    }
    return {8, 32, 8, 8};
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
            // Once the window manager has framed it, its own frame is known (a resizable window
            // may have a thicker one): fitted again by that.
            QTimer::singleShot(kFramedMilliseconds, widget, [widget] { fitWithinScreen(widget); });
        }
    }
    return false;
}

}  // namespace pixmosa
