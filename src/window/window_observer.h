#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

#include "generator/gallery_run.h"
#include "window/dialogs.h"

namespace pixmosa {

// What a command tells the window: texts in the status bar, a bar of progress, and a moment
// for the window to repaint after every file; and what the window tells the command: to stop,
// once `stop` is set (the window is being closed).
// Shows a page in the browser; when that fails, now or later, the status bar says so, naming
// the page and the reason, after whatever the command it ends tells there last.
void openInBrowser(Dialogs& dialogs, QLabel* statusText, const QString& page);

class WindowObserver final : public GalleryObserver {
public:
    WindowObserver(QLabel* statusText, QProgressBar* progress, Dialogs& dialogs, QWidget* window,
                   const bool& stop);

    void status(std::string_view text) override;
    void progress(std::size_t done, std::size_t total) override;
    void breathe() override;
    void beep() override;
    void message(std::string_view text) override;
    void openPage(const std::string& path) override;
    bool stopRequested() const override { return m_stop; }

private:
    QLabel* m_statusText;
    QProgressBar* m_progress;
    Dialogs& m_dialogs;
    QWidget* m_window;
    const bool& m_stop;
};

}  // namespace pixmosa
