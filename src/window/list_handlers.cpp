#include <QDir>
#include <QStandardPaths>

#include "catalogue/image_order.h"
#include "catalogue/image_paths.h"
#include "catalogue/image_rename.h"
#include "catalogue/image_scan.h"
#include "catalogue/preview_fit.h"
#include "thumbs/jpeg_header.h"
#include "thumbs/jpeg_source.h"
#include "window/main.h"
#include "window/qt_text.h"

namespace pixmosa {

void TfrmMain::scanImageDirectory()
{
    const GallerySettings settings = currentSettings();
    // A scan shows no box; a folder that cannot be read is named in the status bar instead.
    Result<std::vector<std::string>> images =
        readImageDirectory(settings.ImageDir, settings.Sorted);
    m_images = images ? std::move(images).value() : std::vector<std::string>();
    if (!images) {
        m_statusText->setText(toQt(images.message()));
    }
    refreshImageList(-1);
    showPagesRequired();
}

void TfrmMain::refreshImageList(int selected)
{
    const QSignalBlocker blocker(ImageList);
    ImageList->clear();
    for (const std::string& name : m_images) {
        ImageList->addItem(toQt(name));
    }
    ImageList->setCurrentRow(selected);
}

void TfrmMain::butImgDirClick()
{
    // Without a folder yet, the user's pictures are where to look first.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString preset = !ImageDir->text().isEmpty() ? ImageDir->text()
                           : QDir(pictures).exists()   ? pictures
                                                       : QDir::homePath();
    const std::optional<QString> chosen = m_dialogs.chooseFolder(this, preset);
    if (!chosen) {
        return;
    }
    // Shown and stored as the system writes paths (C:\Users\... on Windows).
    ImageDir->setText(QDir::toNativeSeparators(*chosen));
    scanImageDirectory();
}

bool TfrmMain::ImageListDragOver(const QObject* source) const
{
    return source == ImageList;
}

void TfrmMain::ImageListDragDrop(std::optional<int> row)
{
    const int from = ImageList->currentRow();
    if (from < 0) {
        return;
    }
    const std::optional<std::size_t> onto =
        row ? std::optional<std::size_t>(static_cast<std::size_t>(*row)) : std::nullopt;
    const std::size_t to = moveImage(m_images, static_cast<std::size_t>(from), onto);
    // One entry moves in the widget too, so a long list is reordered as fast as a short one;
    // selecting it there is no selection by the user, so no preview runs.
    {
        const QSignalBlocker blocker(ImageList);
        ImageList->insertItem(static_cast<int>(to), ImageList->takeItem(from));
        ImageList->setCurrentRow(static_cast<int>(to));
    }
    // A drag selects the entry it moves without a click, so the preview may show another.
    if (m_images[to] != m_shownImage) {
        ImageListClick();
    }
}

void TfrmMain::ImageListClick()
{
    const int row = ImageList->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_images.size()) {
        return;
    }
    m_shownImage = m_images[static_cast<std::size_t>(row)];
    const std::string path = imagePath(currentSettings(), m_shownImage);
    if (Result<ImageFile> file = openImageFile(path); !file) {
        showError(file.message());
        return;
    }
    const Result<JpegFrame> frame = readJpegFrame(path);
    const PreviewBox current{ImageArea->x(), ImageArea->y(), ImageArea->width(),
                             ImageArea->height()};
    const PreviewBox list{ImageList->x(), ImageList->y(), ImageList->width(), ImageList->height()};
    const ImageSize upright = frame ? frame->upright() : ImageSize{};
    const std::optional<PreviewBox> fitted =
        frame ? fitPreview(current, list, static_cast<int>(upright.width),
                           static_cast<int>(upright.height))
              : std::nullopt;
    if (!fitted) {
        m_previews->cancel();
        ImageArea->clear();
        return;
    }
    ImageArea->setGeometry(fitted->left, fitted->top, fitted->width, fitted->height);
    // The picture is decoded on the loader's thread and shown when it comes (previewLoaded);
    // the box keeps the one before until then. A turned photo is stored with the box's sides
    // exchanged.
    const QSize box(std::max(fitted->width, 1), std::max(fitted->height, 1));
    m_previews->request(path, box, swapsSides(frame->orientation) ? box.transposed() : box);
}

void TfrmMain::previewLoaded(const QImage& picture)
{
    if (picture.isNull()) {
        ImageArea->clear();
    } else {
        ImageArea->setPixmap(QPixmap::fromImage(picture));
    }
}

void TfrmMain::butRenameImgClick()
{
    const std::optional<QString> prefix =
        m_dialogs.askText(this, "Image Prefix", "Type a prefix for the new name", QString(), 255,
                          DialogPlace::Screen);
    if (!prefix) {
        return;
    }
    const int selected = ImageList->currentRow();
    // Renaming tells nothing; a wait for another program's command, once over, is not told either.
    const QString shown = m_statusText->text();
    runCommand([&](const FolderLock& folder, WindowObserver&) {
        RenameImages(folder, currentSettings().ImageDir, m_images, fromQt(*prefix));
        return Result<CommandEnd>(CommandEnd::Finished);
    });
    m_statusText->setText(shown);
    refreshImageList(selected);
}

}  // namespace pixmosa
