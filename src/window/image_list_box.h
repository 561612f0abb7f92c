#pragma once

#include <QListWidget>
#include <functional>
#include <optional>

namespace pixmosa {

// The image list: entries are dragged within the list, and a drop reports the row under the
// drop point (nothing when it lies below the last entry). Whether a drag may be dropped and
// what a drop does are the owner's: the list asks and tells through the two callbacks.
//
// While an entry is dragged, the list scrolls when the pointer rests near its top or bottom
// edge, and a line shows where the entry will land: a dropped entry takes the place of the one
// it is dropped on, so it lands below that entry when it moves down the list and above it when
// it moves up. Ctrl+Up and Ctrl+Down move the selected entry one place, as dropping it on its
// neighbour would.
class ImageListBox final : public QListWidget {
    Q_OBJECT

public:
    explicit ImageListBox(QWidget* parent = nullptr);

    void setDragHandlers(std::function<bool(const QObject* source)> dragOver,
                         std::function<void(std::optional<int> row)> dragDrop);

    // Where the landing line is drawn while a drag is over the list, in the viewport's
    // coordinates: an empty rectangle when the drop would change nothing.
    QRect landingLine() const { return m_landingLine; }

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The pointer rests while the list scrolls under it: the landing line follows the entries.
    void scrollContentsBy(int dx, int dy) override;

private:
    bool accepts(const QDropEvent* event) const;
    // The row a drop at this point of the viewport lands on: the entry under it, or the last.
    int landingRow(QPoint point) const;
    void showLandingLine(std::optional<QPoint> point);
    void endDrag();

    std::function<bool(const QObject*)> m_dragOver;
    std::function<void(std::optional<int>)> m_dragDrop;
    QRect m_landingLine;
};

}  // namespace pixmosa
