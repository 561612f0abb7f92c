#include "window/image_list_box.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace pixmosa {

ImageListBox::ImageListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
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

void ImageListBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_dragOver && m_dragOver(event->source())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ImageListBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (m_dragOver && m_dragOver(event->source())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ImageListBox::dropEvent(QDropEvent* event)
{
    if (!m_dragOver || !m_dragOver(event->source())) {
        event->ignore();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    event->acceptProposedAction();
    if (m_dragDrop) {
        m_dragDrop(index.isValid() ? std::optional<int>(index.row()) : std::nullopt);
    }
}

}  // namespace pixmosa
