#include "catalogue/image_folder_lock.h"
#include "generator/gallery_run.h"
#include "generator/generated_files.h"
#include "thumbs/make_thumbnails.h"
#include "window/help_window.h"
#include "window/main.h"
#include "window/palette_colours.h"
#include "window/qt_text.h"
#include "window/window_observer.h"

namespace pixmosa {

void TfrmMain::setCommandsEnabled(bool enabled)
{
    for (QToolButton* button : {butMakeThumbs, butBrowser, butHTML, butRenameImg}) {
        button->setEnabled(enabled);
    }
}

void TfrmMain::runCommand(
    const std::function<Result<CommandEnd>(const FolderLock&, WindowObserver&)>& command)
{
    if (m_running) {
        return;
    }
    m_running = true;
    setCommandsEnabled(false);
    const Result<CommandEnd> end = [&]() -> Result<CommandEnd> {
        WindowObserver observer(m_statusText, m_progress, m_dialogs, this, m_closeRequested);
        const std::optional<FolderLock> folder =
            lockImageDirectory(currentSettings().ImageDir, observer);
        if (!folder) {
            return CommandEnd::Stopped;
        }
        return command(*folder, observer);
    }();
    m_progress->hide();
    setCommandsEnabled(true);
    m_running = false;
    // Closed meanwhile: the command stopped between two files, and now the window closes.
    if (m_closeRequested) {
        close();
        return;
    }
    if (!end) {
        showError(end.message());
    }
}

void TfrmMain::butExitClick()
{
    close();
}

void TfrmMain::butMakeThumbsClick()
{
    runCommand([this](const FolderLock& folder, WindowObserver& observer) {
        return MakeThumbnails(folder, currentSettings(), m_images, observer);
    });
}

void TfrmMain::butHTMLClick()
{
    runCommand([this](const FolderLock& folder, WindowObserver& observer) {
        const GalleryInputs inputs{currentSettings(), m_images, m_banks.names(), m_textStorePath};
        TimeSeededDraw draw;
        return RunGallery(folder, inputs, observer, draw, PaletteSystemColours());
    });
}

void TfrmMain::butBrowserClick()
{
    openInBrowser(m_dialogs, m_statusText, toQt(indexPagePath(currentSettings())));
}

void TfrmMain::butHelpClick()
{
    openHelp(10);
}

void TfrmMain::openHelp(int context)
{
    m_help->showContext(context);
}

void TfrmMain::showError(const std::string& message)
{
    QString text = toQt(message);
    if (!text.isEmpty() && text.back() > QChar('.')) {
        text += '.';
    }
    m_dialogs.showError(this, text);
}

}  // namespace pixmosa
