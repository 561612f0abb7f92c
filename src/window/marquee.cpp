#include "window/marquee.h"

#include <QLinearGradient>
#include <QPainter>

namespace pixmosa {

namespace {

constexpr int kStepMilliseconds = 20;
constexpr int kFadeWidth = 15;
const QColor kGround(192, 192, 192);

}  // namespace

Marquee::Marquee(const QString& text, QWidget* parent) : QWidget(parent), m_text(text)
{
    m_timer.setInterval(kStepMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &Marquee::advance);
}

void Marquee::advance()
{
    const int travel = width() + fontMetrics().horizontalAdvance(m_text);
    m_offset = (m_offset + 1) % std::max(travel, 1);
    update();
}

void Marquee::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kGround);
    painter.setPen(Qt::black);
    painter.drawText(
        QRect(width() - m_offset, 0, fontMetrics().horizontalAdvance(m_text) + 1, height()),
        Qt::AlignVCenter | Qt::AlignLeft, m_text);
    QColor clear = kGround;
    clear.setAlpha(0);
    QLinearGradient left(0, 0, kFadeWidth, 0);
    left.setColorAt(0, kGround);
    left.setColorAt(1, clear);
    painter.fillRect(0, 0, kFadeWidth, height(), left);
    QLinearGradient right(width() - kFadeWidth, 0, width(), 0);
    right.setColorAt(0, clear);
    right.setColorAt(1, kGround);
    painter.fillRect(width() - kFadeWidth, 0, kFadeWidth, height(), right);
}

void Marquee::showEvent(QShowEvent* event)
{
    m_timer.start();
    QWidget::showEvent(event);
}

void Marquee::hideEvent(QHideEvent* event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

}  // namespace pixmosa
