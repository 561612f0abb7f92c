#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/command_observer.h"
#include "common/result.h"
#include "platform/folder_lock.h"
#include "platform/registry.h"
#include "settings/banner_banks.h"
#include "settings/gallery_settings.h"
#include "window/colour_button.h"
#include "window/colour_group.h"
#include "window/dialogs.h"
#include "window/image_list_box.h"
#include "window/marquee.h"
#include "window/named_combo_box.h"
#include "window/overflow_tip.h"
#include "window/preview_loader.h"
#include "window/spin_edit.h"

namespace pixmosa {

class HelpWindow;
class WindowObserver;

// The one window. Its layout is built tab by tab (tab_*.cpp, tool_bar.cpp), its handlers are
// named after their control and event (*_handlers.cpp), and every control that holds a setting
// is bound to that setting's entry in the settings table.
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
    HelpWindow* helpWindow() const { return m_help; }

    // Tool bar.
    void butExitClick();
    void butMakeThumbsClick();
    void butHTMLClick();
    void butBrowserClick();
    void butHelpClick();

    // Thumbnails tab.
    void ImageDirChange();
    void ImageDirExit();
    void ThumbsDirExit();
    void ThumbPrefixExit();
    void TableBackImageExit();
    void ThumbSizeExit();
    void RowsChange();
    void RowsExit();
    void ColsChange();
    void ColsExit();
    void CellSpacingExit();
    void CellPaddingExit();
    void TableBorderExit();
    void butImgDirClick();
    void chkSortClick();
    void DisableBannerClick();
    void butRenameImgClick();
    void ImageListClick();
    bool ImageListDragOver(const QObject* source) const;
    void ImageListDragDrop(std::optional<int> row);

    // Gallery Page tab.
    void GalleryTitleExit();
    void GalleryPrefixExit();
    void PageExtExit();
    void GalleryBackImageExit();
    void GalleryHeaderExit();
    void GalleryFooterExit();
    void chkDefColorsClick();
    void chkImageShellClick();

    // Image Page tab.
    void ImageTitleExit();
    void ImageHeaderExit();
    void ImageFooterExit();
    void UseGalleryColsClick();

    // Index Page tab.
    void IndexFileExit();
    void IndexTitleExit();
    void IndexHeaderExit();
    void IndexFooterExit();
    void DisablePageLinksClick();

    // Advanced tab.
    void HeaderCodeExit();
    void BannerBankChange();
    void butAddBannerBankClick();
    void butDeleteBannerBankClick();
    void BannerCodeExit();

    // Colours.
    void butTableBackColorClick();
    void butGalleryForeColorClick();
    void butGalleryBackColorClick();
    void butGalleryLinkColorClick();
    void butGalleryVisitedLinkColorClick();
    void butGalleryActiveLinkColorClick();
    void butImageForeColorClick();
    void butImageBackColorClick();
    void butImageLinkColorClick();
    void butImageVisitedLinkColorClick();
    void butImageActiveLinkColorClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Handler = void (TfrmMain::*)();

    void buildToolBar();
    QWidget* buildThumbnailsTab();
    QWidget* buildGalleryTab();
    QWidget* buildImageTab();
    QWidget* buildIndexTab();
    QWidget* buildAdvancedTab();
    QWidget* buildAboutTab();
    void buildStatusBar();

    // Controls bound to a field of the settings, each with its help context and the handler
    // that runs when it is left or clicked.
    QLineEdit* textField(Field field, QWidget* parent, int helpContext, Handler exit,
                         bool overflowTip = true);
    SpinEdit* numberField(Field field, QWidget* parent, int helpContext, Handler exit);
    QPlainTextEdit* memoField(Field field, QWidget* parent, int helpContext, Handler exit);
    QCheckBox* switchField(Field field, const char* caption, QWidget* parent, int helpContext,
                           Handler click);
    ColourGroup* colourGroup(const ColourGroupParts& parts, QWidget* parent, int firstHelpContext,
                             const std::array<Handler, 5>& clicks);
    // A button whose tip is also its name for screen readers; a context of 0 gives it none.
    QToolButton* toolButton(QWidget* parent, const char* name, const char* tip, int helpContext,
                            Handler click);
    QWidget* newTab(const char* name, int helpContext);
    static QVBoxLayout* tabColumn(QWidget* tab);
    // A caption whose mnemonic and screen-reader name lead to the control beside it.
    QLabel* caption(const char* text, QWidget* buddy, QWidget* parent);
    QLabel* placeholder(const char* text, QWidget* parent);
    // A page's header, the place of its content and its footer, one above the other as the
    // page is written.
    void addPageTexts(QFormLayout* form, QWidget* parent, QPlainTextEdit* header,
                      const char* placeholderText, QPlainTextEdit* footer);
    void setHelpContext(QWidget* widget, int context);
    int helpContextOf(const QWidget* widget) const;

    void FormCreate();
    void FormDestroy();
    void applySettings(const GallerySettings& settings);
    void applySwitchEffects();
    void showImageTab(bool shown);
    // Leaves the field that has the focus, as a click elsewhere would, so that its handler
    // stores what was typed.
    void leaveFocusedField();
    void focusFirstFieldOfPage();

    void storeField(Field field);
    // Stores the number clamped to its field's limits; a clamp that changes what the field
    // shows is a change of the field, so `change` runs then.
    void storeNumberField(SpinEdit* spin, Field field, Handler change = nullptr);
    void storeMemo(Field field);
    void chooseColour(ColourButton* button);
    void showPagesRequired();
    void scanImageDirectory();
    void refreshImageList(int selected);
    void refreshBankList();
    void previewLoaded(const QImage& picture);
    void showChosenBank();

    // Runs a command that writes into the image directory with the command buttons disabled, so
    // none can start inside it, under the directory's lock: while another program's command
    // works there, it waits, and the window stays responsive and can be closed.
    void runCommand(
        const std::function<Result<CommandEnd>(const FolderLock&, WindowObserver&)>& command);
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
    std::string m_shownImage;  // the list entry the preview was last asked for
    QColor m_dialogColour = Qt::black;
    bool m_running = false;
    bool m_closeRequested = false;
    bool m_destroyed = false;

    OverflowTip* m_tip = nullptr;
    PreviewLoader* m_previews = nullptr;
    HelpWindow* m_help = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_statusText = nullptr;

    std::vector<std::pair<QLineEdit*, Field>> m_textFields;
    std::vector<std::pair<SpinEdit*, Field>> m_numberFields;
    std::vector<std::pair<QPlainTextEdit*, Field>> m_memoFields;
    std::vector<std::pair<QCheckBox*, Field>> m_switchFields;
    std::vector<ColourButton*> m_colourButtons;
    std::map<const QObject*, Handler> m_exitHandlers;
    std::map<const QWidget*, int> m_helpContexts;

public:
    // The controls, named as the behaviour names them.
    QWidget* Panel1 = nullptr;
    QToolButton* butExit = nullptr;
    QToolButton* butMakeThumbs = nullptr;
    QToolButton* butBrowser = nullptr;
    QToolButton* butHTML = nullptr;
    QToolButton* butHelp = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    QWidget* tabThumbs = nullptr;
    Marquee* ScrollingText = nullptr;
    ImageListBox* ImageList = nullptr;
    QLabel* ImageArea = nullptr;
    QLineEdit* ImageDir = nullptr;
    QToolButton* butImgDir = nullptr;
    QToolButton* butBrowse = nullptr;
    QLineEdit* ThumbsDir = nullptr;
    QLineEdit* ThumbPrefix = nullptr;
    SpinEdit* ThumbSize = nullptr;
    SpinEdit* Rows = nullptr;
    SpinEdit* Cols = nullptr;
    SpinEdit* CellSpacing = nullptr;
    SpinEdit* CellPadding = nullptr;
    SpinEdit* TableBorder = nullptr;
    ColourButton* butTableBackColor = nullptr;
    QLineEdit* TableBackImage = nullptr;
    QCheckBox* chkSort = nullptr;
    QCheckBox* DisableBanner = nullptr;
    QToolButton* butRenameImg = nullptr;
    QLabel* PagesReqd = nullptr;

    QWidget* tabGallery = nullptr;
    QLineEdit* GalleryTitle = nullptr;
    QLineEdit* GalleryPrefix = nullptr;
    QLineEdit* PageExt = nullptr;
    QLineEdit* GalleryBackImage = nullptr;
    QPlainTextEdit* GalleryHeader = nullptr;
    QPlainTextEdit* GalleryFooter = nullptr;
    QCheckBox* chkDefColors = nullptr;
    QCheckBox* chkImageShell = nullptr;
    ColourGroup* GalleryColors = nullptr;

    QWidget* tabImage = nullptr;
    QLineEdit* ImageTitle = nullptr;
    QPlainTextEdit* ImageHeader = nullptr;
    QPlainTextEdit* ImageFooter = nullptr;
    QCheckBox* UseGalleryCols = nullptr;
    ColourGroup* ImageColors = nullptr;

    QWidget* tabIndexPage = nullptr;
    QLineEdit* IndexFile = nullptr;
    QLineEdit* IndexTitle = nullptr;
    QPlainTextEdit* IndexHeader = nullptr;
    QPlainTextEdit* IndexFooter = nullptr;
    QCheckBox* DisablePageLinks = nullptr;

    QWidget* tabAdvanced = nullptr;
    QPlainTextEdit* HeaderCode = nullptr;
    NamedComboBox* BannerBank = nullptr;
    QToolButton* butAddBannerBank = nullptr;
    QToolButton* butDeleteBannerBank = nullptr;
    QPlainTextEdit* BannerCode = nullptr;

    QWidget* tabAbout = nullptr;
};

}  // namespace pixmosa
