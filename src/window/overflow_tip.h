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
// goes away on leaving, a key or mouse press, or a loss of focus.
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
    void showOver(QWidget* owner, const QRect& area, const QString& text);

    QLabel* m_tip;
    QTimer m_timer;
    int m_ticks = 0;
    QPointer<QWidget> m_control;
    QPoint m_pointer;
};

}  // namespace pixmosa
