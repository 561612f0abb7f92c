#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/command_observer.h"
#include "common/result.h"
#include "platform/registry.h"
#include "settings/banner_banks.h"
#include "settings/gallery_settings.h"
#include "window/colour_button.h"
#include "window/colour_group.h"
#include "window/dialogs.h"
#include "window/image_list.h"
#include "window/marquee.h"
#include "window/overflow_tip.h"
#include "window/spin_edit.h"

namespace pixmosa {

class TfrmMain final : public QWidget {
    Q_OBJECT

public:
    TfrmMain(Registry& registry, std::string textStorePath, Dialogs& dialogs,
             QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The settings as the controls hold them now, typed but not yet stored values included.
    GallerySettings currentSettings() const;
    const std::vector<std::string>& images() const { return m_images; }
    bool commandRunning() const { return m_running; }

    // Handlers, named after their control and event.
    void ImageDirChange();
    void ImageDirExit();
    void ThumbsDirExit();
    void RowsChange();
    void ColsChange();
    void butImgDirClick();
    void chkSortClick();
    void chkDefColorsClick();
    void chkImageShellClick();
    void UseGalleryColsClick();
    void DisablePageLinksClick();
    void DisableBannerClick();
    void colourButtonClick(ColourButton* button);
    void butMakeThumbsClick();
    void butHTMLClick();
    void butBrowserClick();
    void butRenameImgClick();
    void butHelpClick();
    void butAddBannerBankClick();
    void butDeleteBannerBankClick();
    void BannerBankChange();
    void BannerCodeExit();
    void ImageListClick();
    void ImageListDragDrop(std::optional<int> row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar(QWidget* bar);
    QWidget* buildThumbnailsTab();
    QWidget* buildGalleryTab();
    QWidget* buildImageTab();
    QWidget* buildIndexTab();
    QWidget* buildAdvancedTab();
    QWidget* buildAboutTab();

    // Controls bound to a field of the settings, with their help context.
    QLineEdit* textField(const char* fieldName, QWidget* parent, int helpContext,
                         bool overflowTip = true);
    SpinEdit* spinField(const char* fieldName, QWidget* parent);
    QPlainTextEdit* memoField(const char* fieldName, QWidget* parent, int helpContext);
    QCheckBox* switchField(const char* fieldName, const char* caption, QWidget* parent,
                           int helpContext, void (TfrmMain::*handler)());
    QLabel* placeholder(const char* text, QWidget* parent);
    // A page's header, the place of its content and its footer, one above the other as the
    // page is written.
    struct MemoSpec {
        const char* field;
        int helpContext;
    };
    void addPageTexts(QFormLayout* form, QWidget* parent, const MemoSpec& header,
                      const char* placeholderText, const MemoSpec& footer);
    void addColourButtons(ColourGroup* group, int firstHelpContext);
    void setHelpContext(QWidget* widget, int context);

    void FormCreate();
    void FormDestroy();
    void applySettings(const GallerySettings& settings);
    void applySwitchEffects();
    void showImageTab(bool shown);

    void storeTextField(QLineEdit* field);
    void storeNumberField(SpinEdit* field);
    void storeMemo(QPlainTextEdit* memo);
    void storeSwitch(QCheckBox* box);
    void showPagesRequired();
    void scanImageDirectory();
    void refreshImageList(int selected);
    void refreshBankList();
    void showChosenBank();

    // Runs a long command with the command buttons disabled, so none can start inside it.
    void runCommand(const std::function<Result<CommandEnd>()>& command);
    void setCommandsEnabled(bool enabled);
    // The general error handler: the text, with a full stop when it ends in a letter or digit.
    void showError(const std::string& message);
    void openHelp(int context);

    Registry& m_registry;
    std::string m_textStorePath;
    Dialogs& m_dialogs;
    const GallerySettings m_initial = GallerySettings::initial();

    std::string m_thumbFolder;
    std::vector<std::string> m_images;
    BannerBanks m_banks;
    QColor m_dialogColour = Qt::black;
    bool m_running = false;

    OverflowTip* m_tip = nullptr;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_imageTab = nullptr;
    QLabel* m_statusText = nullptr;
    QProgressBar* m_progress = nullptr;
    std::vector<QToolButton*> m_commandButtons;
    QToolButton* m_renameButton = nullptr;

    std::map<QObject*, std::function<void()>> m_exitHandlers;
    std::map<QWidget*, const FieldInfo*> m_fieldOf;
    std::map<std::string, QWidget*> m_controls;
    std::vector<ColourButton*> m_colourButtons;
    ColourGroup* m_galleryColours = nullptr;
    ColourGroup* m_imageColours = nullptr;

    ImageList* m_imageList = nullptr;
    QLabel* m_imageArea = nullptr;
    Marquee* m_hint = nullptr;
    QLabel* m_pagesRequired = nullptr;
    QComboBox* m_bankList = nullptr;
    QPlainTextEdit* m_bannerCode = nullptr;
};

}  // namespace pixmosa
