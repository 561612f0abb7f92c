#include "window/overflow_tip.h"

#include <QCursor>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QWindow>

namespace pixmosa {

namespace {

constexpr int kTickMilliseconds = 400;
constexpr int kWatchMilliseconds = 100;
// QLineEdit keeps this many pixels free on each side of its text, inside its text margins.
constexpr int kLineEditSideSpace = 2;

// Whether a field cuts its text off, measured as QLineEdit lays the text out: within the
// style's contents rectangle, less the text margins and the space it keeps on each side, the
// text with its cursor must fit, or the field scrolls it and part of it is hidden.
bool cutsOffItsText(const QLineEdit* field)
{
    QStyleOptionFrame frame;
    frame.initFrom(field);
    frame.rect = field->contentsRect();
    frame.lineWidth = field->hasFrame()
                          ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, field)
                          : 0;
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    const QRect area = field->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &frame, field)
                           .marginsRemoved(field->textMargins());
    QTextLayout layout(field->text(), field->font());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const int used = qRound(line.isValid() ? line.naturalTextWidth() : 0.0) + 1;
    return used > area.width() - 2 * kLineEditSideSpace;
}

}  // namespace

// The tip lies over the control and lets the pointer through, so the control keeps getting
// the pointer's moves, presses and wheel turns while it shows.
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
    m_watch.setInterval(kWatchMilliseconds);
    connect(&m_watch, &QTimer::timeout, this, &OverflowTip::hideUnlessPointerWithin);
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
        if (event->type() == QEvent::Leave) {
            hideUnlessPointerWithin();
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseMove:
        if (static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton) {
            break;
        }
        if (isShowing()) {
            hideUnlessPointerWithin();
        } else if (!m_timer.isActive() || watched != m_control) {
            m_control = qobject_cast<QWidget*>(watched);
            m_ticks = 0;
            m_timer.start();
        }
        break;
    case QEvent::Leave:
        // Another control's leave says nothing of the one the tip is for.
        if (watched != m_control) {
            break;
        }
        if (isShowing()) {
            hideUnlessPointerWithin();
        } else {
            hide();
        }
        break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
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
    // Where the pointer rests now, which may be elsewhere on the control than where it came in.
    const QPoint pointer = m_control->mapFromGlobal(QCursor::pos());
    if (!m_control->rect().contains(pointer)) {
        return;
    }
    if (auto* field = qobject_cast<QLineEdit*>(m_control)) {
        if (cutsOffItsText(field)) {
            showOver(field, field->rect(), field->text());
        }
        return;
    }
    auto* list = qobject_cast<QListWidget*>(m_control->parentWidget());
    if (list == nullptr) {
        return;
    }
    const QListWidgetItem* item = list->itemAt(pointer);
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
    m_area = QRect(owner->mapToGlobal(area.topLeft()), area.size());
    m_tip->setFont(owner->font());
    m_tip->setText(text);
    m_tip->adjustSize();
    m_tip->move(m_area.topLeft());
    m_tip->resize(std::max(m_tip->width(), area.width()), area.height());
    m_tip->show();
    // Asked for again each time: Qt's X11 window keeps the flag but not the input shape when
    // it makes its native window anew, and a tip that took the click would keep the focus
    // where it was and send what is typed next to another field.
    if (QWindow* window = m_tip->windowHandle()) {
        window->setFlag(Qt::WindowTransparentForInput, false);
        window->setFlag(Qt::WindowTransparentForInput, true);
    }
    m_watch.start();
}

void OverflowTip::hideUnlessPointerWithin()
{
    if (!m_area.contains(QCursor::pos())) {
        hide();
    }
}

void OverflowTip::hide()
{
    m_timer.stop();
    m_watch.stop();
    m_ticks = 0;
    m_tip->hide();
}

}  // namespace pixmosa
