#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QLineEdit;
class QListWidget;

namespace pixmosa {

// One tip window shared by text fields and the image list: when the pointer rests on a field
// whose text is wider than the field (or on a list entry wider than the list), the whole text
// is shown laid exactly over it. The tip is asked for at the second tick of a 400 ms timer and
// goes away on a key, a mouse press, a wheel turn, a loss of focus, or when the pointer leaves
// the field (or the entry's line). Whether the pointer has left is told by where it is, not by
// leave events: showing a window under the pointer makes some window systems report that the
// pointer left the control and entered the tip, though it never moved.
class OverflowTip final : public QObject {
    Q_OBJECT

public:
    explicit OverflowTip(QObject* parent = nullptr);
    ~OverflowTip() override;

    void watch(QLineEdit* field);
    void watch(QListWidget* list);

    bool isShowing() const { return m_tip->isVisible(); }
    const QWidget* tipWidget() const { return m_tip; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tick();
    void hide();
    void hideUnlessPointerWithin();
    void showOver(QWidget* owner, const QRect& area, const QString& text);

    QLabel* m_tip;
    QTimer m_timer;
    // While the tip shows: looks now and then whether the pointer is still over its area.
    QTimer m_watch;
    int m_ticks = 0;
    QPointer<QWidget> m_control;
    QRect m_area;  // where the tip stays, in global coordinates
};

}  // namespace pixmosa
