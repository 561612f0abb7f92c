#include "window/overflow_tip.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

namespace pixmosa {

namespace {

constexpr int kTickMilliseconds = 400;

}  // namespace

// The tip lies under the pointer, so it lets the pointer through: were it to take the pointer,
// the control would see the pointer leave and hide the tip at once.
OverflowTip::OverflowTip(QObject* parent)
    : QObject(parent), m_tip(new QLabel(nullptr, Qt::ToolTip | Qt::WindowTransparentForInput))
{
    m_tip->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_tip->setAttribute(Qt::WA_ShowWithoutActivating);
    m_tip->setObjectName("OverflowTip");
    m_tip->setForegroundRole(QPalette::ToolTipText);
    m_tip->setBackgroundRole(QPalette::ToolTipBase);
    m_tip->setAutoFillBackground(true);
    m_tip->installEventFilter(this);
    m_timer.setInterval(kTickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &OverflowTip::tick);
}

OverflowTip::~OverflowTip()
{
    delete m_tip;
}

void OverflowTip::watch(QLineEdit* field)
{
    field->setMouseTracking(true);
    field->installEventFilter(this);
}

void OverflowTip::watch(QListWidget* list)
{
    list->viewport()->setMouseTracking(true);
    list->viewport()->installEventFilter(this);
    list->installEventFilter(this);
}

bool OverflowTip::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tip) {
        if (event->type() == QEvent::Enter) {
            hide();
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (move->buttons() == Qt::NoButton && !m_timer.isActive() && !isShowing()) {
            m_control = qobject_cast<QWidget*>(watched);
            m_pointer = move->position().toPoint();
            m_ticks = 0;
            m_timer.start();
        }
        break;
    }
    case QEvent::Leave:
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::FocusOut:
        hide();
        break;
    default:
        break;
    }
    return false;
}

void OverflowTip::tick()
{
    if (++m_ticks < 2 || m_control.isNull()) {
        return;
    }
    m_timer.stop();
    if (auto* field = qobject_cast<QLineEdit*>(m_control)) {
        if (field->fontMetrics().horizontalAdvance(field->text()) > field->contentsRect().width()) {
            showOver(field, field->rect(), field->text());
        }
        return;
    }
    auto* list = qobject_cast<QListWidget*>(m_control->parentWidget());
    if (list == nullptr) {
        return;
    }
    const QListWidgetItem* item = list->itemAt(m_pointer);
    if (item == nullptr) {
        return;
    }
    const QRect line = list->visualItemRect(item);
    if (list->fontMetrics().horizontalAdvance(item->text()) > list->viewport()->width()) {
        showOver(list->viewport(), line, item->text());
    }
}

void OverflowTip::showOver(QWidget* owner, const QRect& area, const QString& text)
{
    m_tip->setFont(owner->font());
    m_tip->setText(text);
    m_tip->adjustSize();
    m_tip->move(owner->mapToGlobal(area.topLeft()));
    m_tip->resize(std::max(m_tip->width(), area.width()), area.height());
    m_tip->show();
}

void OverflowTip::hide()
{
    m_timer.stop();
    m_ticks = 0;
    m_tip->hide();
}

}  // namespace pixmosa
