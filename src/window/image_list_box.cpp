#include "window/image_list_box.h"

#include <QCursor>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QPainter>

namespace pixmosa {

ImageListBox::ImageListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    // The view's own indicator tells an insert before or after the entry under the pointer;
    // ours tells where a drop of this list really lands.
    setDropIndicatorShown(false);
    setAutoScroll(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

void ImageListBox::setDragHandlers(std::function<bool(const QObject*)> dragOver,
                                   std::function<void(std::optional<int>)> dragDrop)
{
    m_dragOver = std::move(dragOver);
    m_dragDrop = std::move(dragDrop);
}

// Offered as a copy only, so no other drop target can take the entry out of the list.
void ImageListBox::startDrag(Qt::DropActions)
{
    QListWidget::startDrag(Qt::CopyAction);
}

bool ImageListBox::accepts(const QDropEvent* event) const
{
    return m_dragOver && m_dragOver(event->source());
}

void ImageListBox::dragEnterEvent(QDragEnterEvent* event)
{
    QListWidget::dragEnterEvent(event);  // the view's drag state, which its scrolling needs
    if (accepts(event)) {
        event->acceptProposedAction();
        showLandingLine(event->position().toPoint());
    } else {
        event->ignore();
    }
}

void ImageListBox::dragMoveEvent(QDragMoveEvent* event)
{
    QListWidget::dragMoveEvent(event);  // scrolls while the pointer rests near an edge
    if (accepts(event)) {
        event->acceptProposedAction();
        showLandingLine(event->position().toPoint());
    } else {
        event->ignore();
    }
}

void ImageListBox::dragLeaveEvent(QDragLeaveEvent* event)
{
    QListWidget::dragLeaveEvent(event);
    showLandingLine(std::nullopt);
}

void ImageListBox::dropEvent(QDropEvent* event)
{
    endDrag();
    if (!accepts(event)) {
        event->ignore();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    event->acceptProposedAction();
    if (m_dragDrop) {
        m_dragDrop(index.isValid() ? std::optional<int>(index.row()) : std::nullopt);
    }
}

void ImageListBox::keyPressEvent(QKeyEvent* event)
{
    const bool up = event->key() == Qt::Key_Up;
    if (event->modifiers() == Qt::ControlModifier && (up || event->key() == Qt::Key_Down)) {
        const int row = currentRow();
        const int onto = up ? row - 1 : row + 1;
        if (row >= 0 && onto >= 0 && onto < count() && m_dragOver && m_dragOver(this) &&
            m_dragDrop) {
            m_dragDrop(onto);
        }
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

int ImageListBox::landingRow(QPoint point) const
{
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : count() - 1;
}

void ImageListBox::showLandingLine(std::optional<QPoint> point)
{
    QRect line;
    const int from = currentRow();
    if (point && from >= 0 && count() > 0) {
        const int to = landingRow(*point);
        if (to != from) {
            const QRect entry = visualItemRect(item(to));
            const int y = to > from ? entry.bottom() : entry.top();
            line = QRect(0, y - 1, viewport()->width(), 3);
        }
    }
    if (line != m_landingLine) {
        viewport()->update(m_landingLine.united(line));
        m_landingLine = line;
    }
}

void ImageListBox::endDrag()
{
    stopAutoScroll();
    setState(NoState);
    showLandingLine(std::nullopt);
}

void ImageListBox::scrollContentsBy(int dx, int dy)
{
    QListWidget::scrollContentsBy(dx, dy);
    if (state() == DraggingState) {
        showLandingLine(viewport()->mapFromGlobal(QCursor::pos()));
    }
}

void ImageListBox::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (!m_landingLine.isEmpty()) {
        QPainter painter(viewport());
        painter.fillRect(m_landingLine, palette().color(QPalette::Highlight));
    }
}

}  // namespace pixmosa
