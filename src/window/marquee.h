#pragma once

#include <QTimer>
#include <QWidget>

namespace pixmosa {

// A line of text that scrolls from right to left, one pixel every 20 milliseconds, in black on
// silver, with both ends fading out.
class Marquee final : public QWidget {
    Q_OBJECT

public:
    Marquee(const QString& text, QWidget* parent = nullptr);

    const QString& text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void advance();

    QString m_text;
    QTimer m_timer;
    int m_offset = 0;
};

}  // namespace pixmosa
