#pragma once

#include <QListWidget>
#include <optional>

namespace pixmosa {

// The image list: entries are dragged within the list only, and a drop reports the row under
// the drop point (nothing when it lies below the last entry); the owner moves the entry.
class ImageList final : public QListWidget {
    Q_OBJECT

public:
    explicit ImageList(QWidget* parent = nullptr);

signals:
    void droppedOn(std::optional<int> row);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace pixmosa
