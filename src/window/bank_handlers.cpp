#include "common/text.h"
#include "window/main.h"
#include "window/qt_text.h"

namespace pixmosa {

void TfrmMain::refreshBankList()
{
    const QSignalBlocker blocker(BannerBank);
    BannerBank->clear();
    for (const std::string& name : m_banks.names()) {
        BannerBank->addItem(toQt(name));
    }
    BannerBank->setCurrentIndex(m_banks.chosen() ? static_cast<int>(*m_banks.chosen()) : -1);
}

void TfrmMain::showChosenBank()
{
    BannerCode->setEnabled(m_banks.chosen().has_value());
    const Result<std::string> lines = m_banks.chosenLines();
    if (!lines) {
        showError(lines.message());
        return;
    }
    BannerCode->setPlainText(memoText(*lines));
}

void TfrmMain::butAddBannerBankClick()
{
    BannerCode->clear();
    QString prompt = toQt(kAddBankPrompt);
    QString name;
    for (;;) {
        const std::optional<QString> typed =
            m_dialogs.askText(this, toQt(kNewBankCaption), prompt, name,
                              static_cast<int>(kMaxBankNameLength), DialogPlace::Window);
        if (!typed) {
            return;
        }
        name = *typed;
        const std::optional<std::string> refusal = m_banks.refusal(fromQt(name));
        if (!refusal) {
            break;
        }
        prompt = toQt(*refusal);
    }
    const Status added = m_banks.add(fromQt(name));
    refreshBankList();
    BannerCode->setEnabled(m_banks.chosen().has_value());
    if (!added) {
        showError(added.message());
    }
}

void TfrmMain::butDeleteBannerBankClick()
{
    BannerCode->clear();
    const Status deleted = m_banks.deleteChosen();
    refreshBankList();
    showChosenBank();
    if (!deleted) {
        showError(deleted.message());
    }
}

void TfrmMain::BannerBankChange()
{
    const int index = BannerBank->currentIndex();
    m_banks.choose(index >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(index))
                              : std::nullopt);
    showChosenBank();
}

void TfrmMain::BannerCodeExit()
{
    if (Status saved = m_banks.saveChosenLines(splitLines(recordText(BannerCode))); !saved) {
        showError(saved.message());
    }
}

}  // namespace pixmosa
