#include <QVBoxLayout>

#include "common/version.h"
#include "window/main.h"

namespace pixmosa {

QWidget* TfrmMain::buildAboutTab()
{
    tabAbout = newTab("tabAbout", 28);
    auto* column = new QVBoxLayout(tabAbout);
    auto* name = new QLabel(kProgramTitle, tabAbout);
    name->setObjectName("lblProgram");
    QFont large = name->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    name->setFont(large);
    auto* version = new QLabel(QString("Version ") + kProgramVersion, tabAbout);
    version->setObjectName("lblVersion");
    auto* description = new QLabel(kProgramDescription, tabAbout);
    description->setWordWrap(true);
    auto* notice = new QLabel(kLegalNotice, tabAbout);
    notice->setWordWrap(true);
    for (QLabel* line : {name, version, description, notice}) {
        line->setAlignment(Qt::AlignCenter);
        column->addWidget(line);
    }
    column->addStretch(1);
    return tabAbout;
}

}  // namespace pixmosa
