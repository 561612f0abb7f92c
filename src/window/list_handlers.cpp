#include <QCoreApplication>
#include <QDir>
#include <QImageReader>

#include "catalogue/image_order.h"
#include "catalogue/image_paths.h"
#include "catalogue/image_rename.h"
#include "catalogue/image_scan.h"
#include "catalogue/preview_fit.h"
#include "thumbs/jpeg_header.h"
#include "thumbs/jpeg_source.h"
#include "window/main.h"
#include "window/qt_text.h"
#include "window/upright_picture.h"

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
    const QString preset = ImageDir->text().isEmpty()
                               ? QCoreApplication::applicationDirPath() + QDir::separator()
                               : ImageDir->text();
    const std::optional<QString> chosen = m_dialogs.chooseFolder(this, preset);
    if (!chosen) {
        return;
    }
    ImageDir->setText(*chosen);
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
    refreshImageList(static_cast<int>(to));
}

void TfrmMain::ImageListClick()
{
    const int row = ImageList->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_images.size()) {
        return;
    }
    const std::string path = imagePath(currentSettings(), m_images[static_cast<std::size_t>(row)]);
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
        ImageArea->clear();
        return;
    }
    ImageArea->setGeometry(fitted->left, fitted->top, fitted->width, fitted->height);
    // The stored pixels are scaled to the box's size before they are turned upright, so a
    // turned photo is read with the box's sides exchanged.
    QImageReader reader(toQt(path));
    reader.setAutoTransform(false);
    QSize scaled(std::max(fitted->width, 1), std::max(fitted->height, 1));
    if (swapsSides(frame->orientation)) {
        scaled.transpose();
    }
    reader.setScaledSize(scaled);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        ImageArea->clear();
        return;
    }
    ImageArea->setPixmap(QPixmap::fromImage(uprightPicture(picture, frame->orientation)));
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
    RenameImages(currentSettings().ImageDir, m_images, fromQt(*prefix));
    refreshImageList(selected);
}

}  // namespace pixmosa
