#include "window/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

namespace pixmosa {

HelpWindow::HelpWindow(const QString& page, QWidget* owner)
    : QWidget(owner, Qt::Window),
      m_page(page),
      m_browser(new QTextBrowser(this)),
      m_back(new QToolButton(this)),
      m_forward(new QToolButton(this))
{
    setObjectName("HelpWindow");
    setWindowTitle("Pixmosa Help");
    resize(560, 480);
    m_back->setObjectName("butHelpBack");
    m_back->setText("Back");
    m_back->setEnabled(false);
    m_forward->setObjectName("butHelpForward");
    m_forward->setText("Forward");
    m_forward->setEnabled(false);
    m_browser->setObjectName("HelpBrowser");
    m_browser->setOpenLinks(true);
    // Pages of the help stay inside it; an address on the web goes to the user's browser.
    m_browser->setOpenExternalLinks(true);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addWidget(m_browser, 1);
}

void HelpWindow::showContext(int context)
{
    if (!QFileInfo::exists(m_page)) {
        m_browser->setHtml(
            QString("<p>The help page %1 is missing.</p>").arg(m_page.toHtmlEscaped()));
    } else {
        QUrl url = QUrl::fromLocalFile(m_page);
        url.setFragment(QString::number(context));
        m_browser->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace pixmosa
