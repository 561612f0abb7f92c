#include "window/image_list.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace pixmosa {

ImageList::ImageList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

// Offered as a copy only, so no other drop target can take the entry out of the list.
void ImageList::startDrag(Qt::DropActions)
{
    QListWidget::startDrag(Qt::CopyAction);
}

void ImageList::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ImageList::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() == this) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ImageList::dropEvent(QDropEvent* event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    event->acceptProposedAction();
    emit droppedOn(index.isValid() ? std::optional<int>(index.row()) : std::nullopt);
}

}  // namespace pixmosa
