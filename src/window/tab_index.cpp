#include "window/main.h"

namespace pixmosa {

QWidget* TfrmMain::buildIndexTab()
{
    tabIndexPage = newTab("tabIndexPage", 21);
    auto* fields = new QFormLayout(tabIndexPage);
    fields->setContentsMargins(4, 4, 4, 2);
    fields->setVerticalSpacing(3);
    IndexFile = textField(Field::IndexFile, tabIndexPage, 431, &TfrmMain::IndexFileExit, false);
    fields->addRow(caption("Index file name", IndexFile, tabIndexPage), IndexFile);
    IndexTitle = textField(Field::IndexTitle, tabIndexPage, 451, &TfrmMain::IndexTitleExit);
    fields->addRow(caption("Page Title", IndexTitle, tabIndexPage), IndexTitle);
    IndexHeader = memoField(Field::IndexHeader, tabIndexPage, 471, &TfrmMain::IndexHeaderExit);
    IndexFooter = memoField(Field::IndexFooter, tabIndexPage, 461, &TfrmMain::IndexFooterExit);
    addPageTexts(fields, tabIndexPage, IndexHeader, "Page links go here", IndexFooter);
    DisablePageLinks = switchField(Field::DisablePageLinks, "Disable Page Links", tabIndexPage, 441,
                                   &TfrmMain::DisablePageLinksClick);
    fields->addRow(QString(), DisablePageLinks);
    return tabIndexPage;
}

}  // namespace pixmosa
