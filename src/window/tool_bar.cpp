#include <QHBoxLayout>
#include <QStyle>

#include "window/main.h"
#include "window/tool_icons.h"

namespace pixmosa {

void TfrmMain::buildToolBar()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(25);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);

    butExit = toolButton(Panel1, "butExit", "Exit", 39, &TfrmMain::butExitClick);
    butExit->setIcon(exitIcon());
    butMakeThumbs =
        toolButton(Panel1, "butMakeThumbs", "Make Thumbnails", 31, &TfrmMain::butMakeThumbsClick);
    butMakeThumbs->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    butBrowser =
        toolButton(Panel1, "butBrowser", "Open in browser", 36, &TfrmMain::butBrowserClick);
    butBrowser->setIcon(style()->standardIcon(QStyle::SP_DirLinkIcon));
    butHTML = toolButton(Panel1, "butHTML", "Make Gallery", 29, &TfrmMain::butHTMLClick);
    butHTML->setText("&Gallery");
    // Yellow on green only while it can be pressed: during a command it greys out like the
    // other command buttons.
    butHTML->setStyleSheet(
        "QToolButton { font-weight: bold; padding: 0 6px; }"
        "QToolButton:enabled { color: yellow; background-color: green; }");
    // Each command has a key, since Tab does not reach the tool bar (F1 is the window's help).
    butExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    butMakeThumbs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    butBrowser->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    butHelp = toolButton(Panel1, "butHelp", "Help", 10, &TfrmMain::butHelpClick);
    butHelp->setText("?");
    for (QToolButton* button : {butExit, butMakeThumbs, butBrowser, butHelp}) {
        button->setAutoRaise(true);
    }
    // As on desktop tool bars, the commands are reached by their shortcuts and the pointer,
    // not by Tab, so Tab past a page's last field cannot land on Exit.
    for (QToolButton* button : {butExit, butMakeThumbs, butBrowser, butHTML, butHelp}) {
        button->setFocusPolicy(Qt::NoFocus);
        row->addWidget(button);
    }
    row->addStretch(1);
}

}  // namespace pixmosa
