#pragma once

#include <QString>
#include <QTextBrowser>
#include <QToolButton>
#include <QWidget>

namespace pixmosa {

// The help page in a window of the program's own, so help works offline and without a
// browser: opened at a context's anchor, with Back and Forward, links followed inside it, and
// closed with Escape.
class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const QString& page, QWidget* owner);

    void showContext(int context);
    QTextBrowser* browser() const { return m_browser; }
    QToolButton* backButton() const { return m_back; }
    QToolButton* forwardButton() const { return m_forward; }

private:
    QString m_page;
    QTextBrowser* m_browser;
    QToolButton* m_back;
    QToolButton* m_forward;
};

}  // namespace pixmosa
