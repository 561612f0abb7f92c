#include "window/window_observer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include "window/qt_text.h"

namespace pixmosa {

WindowObserver::WindowObserver(QLabel* statusText, QProgressBar* progress, Dialogs& dialogs,
                               QWidget* window, const bool& stop)
    : m_statusText(statusText),
      m_progress(progress),
      m_dialogs(dialogs),
      m_window(window),
      m_stop(stop)
{
}

void WindowObserver::status(std::string_view text)
{
    m_statusText->setText(toQt(text));
}

void WindowObserver::progress(std::size_t done, std::size_t total)
{
    m_progress->setRange(0, static_cast<int>(total));
    m_progress->setValue(static_cast<int>(done));
    m_progress->show();
}

void WindowObserver::breathe()
{
    QCoreApplication::processEvents();
}

void WindowObserver::beep()
{
    m_dialogs.beep();
}

void WindowObserver::message(std::string_view text)
{
    m_dialogs.showMessage(m_window, toQt(text));
}

void WindowObserver::openPage(const std::string& path)
{
    openInBrowser(m_dialogs, m_statusText, toQt(path));
}

void openInBrowser(Dialogs& dialogs, QLabel* statusText, const QString& page)
{
    const QPointer<QLabel> status(statusText);
    dialogs.openWithDesktop(page, [status, page](const QString& reason) {
        QTimer::singleShot(0, status, [status, page, reason] {
            if (status) {
                status->setText(toQt(browserFailureText(fromQt(page), fromQt(reason))));
            }
        });
    });
}

}  // namespace pixmosa
