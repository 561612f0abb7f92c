#pragma once

#include <QListWidget>
#include <functional>
#include <optional>

namespace pixmosa {

// The image list: entries are dragged within the list, and a drop reports the row under the
// drop point (nothing when it lies below the last entry). Whether a drag may be dropped and
// what a drop does are the owner's: the list asks and tells through the two callbacks.
class ImageListBox final : public QListWidget {
    Q_OBJECT

public:
    explicit ImageListBox(QWidget* parent = nullptr);

    void setDragHandlers(std::function<bool(const QObject* source)> dragOver,
                         std::function<void(std::optional<int> row)> dragDrop);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::function<bool(const QObject*)> m_dragOver;
    std::function<void(std::optional<int>)> m_dragDrop;
};

}  // namespace pixmosa
