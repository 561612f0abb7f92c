#include <QHBoxLayout>
#include <QVBoxLayout>

#include "window/main.h"

namespace pixmosa {

QWidget* TfrmMain::buildAdvancedTab()
{
    tabAdvanced = newTab("tabAdvanced", 26);
    QVBoxLayout* column = tabColumn(tabAdvanced);
    HeaderCode = memoField(Field::HeaderCode, tabAdvanced, 521, &TfrmMain::HeaderCodeExit);
    column->addWidget(caption("Header code", HeaderCode, tabAdvanced));
    column->addWidget(HeaderCode, 1);

    auto* title = new QLabel("Banner Rotation", tabAdvanced);
    QFont raised = title->font();
    raised.setBold(true);
    raised.setItalic(true);
    raised.setPointSizeF(raised.pointSizeF() * 1.2);
    title->setFont(raised);
    title->setFrameStyle(QFrame::Panel | QFrame::Raised);
    title->setAlignment(Qt::AlignCenter);
    column->addWidget(title);

    auto* bankRow = new QHBoxLayout;
    BannerBank = new NamedComboBox(tabAdvanced);
    BannerBank->setObjectName("BannerBank");
    BannerBank->setEditable(false);
    setHelpContext(BannerBank, 531);
    connect(BannerBank, &QComboBox::activated, this, &TfrmMain::BannerBankChange);
    butAddBannerBank = toolButton(tabAdvanced, "butAddBannerBank", "Add new banner bank", 0,
                                  &TfrmMain::butAddBannerBankClick);
    butAddBannerBank->setText("+");
    butDeleteBannerBank = toolButton(tabAdvanced, "butDeleteBannerBank", "Delete banner bank", 0,
                                     &TfrmMain::butDeleteBannerBankClick);
    butDeleteBannerBank->setText("-");
    bankRow->addWidget(caption("Banner bank name", BannerBank, tabAdvanced));
    bankRow->addWidget(BannerBank, 1);
    bankRow->addWidget(butAddBannerBank);
    bankRow->addWidget(butDeleteBannerBank);
    column->addLayout(bankRow);

    BannerCode = new QPlainTextEdit(tabAdvanced);
    BannerCode->setObjectName("BannerCode");
    BannerCode->setAccessibleName("Banners");
    BannerCode->setTabChangesFocus(true);
    BannerCode->installEventFilter(this);
    setHelpContext(BannerCode, 561);
    m_exitHandlers[BannerCode] = &TfrmMain::BannerCodeExit;
    column->addWidget(BannerCode, 1);
    return tabAdvanced;
}

}  // namespace pixmosa
