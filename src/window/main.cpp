#include "window/main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QShortcut>
#include <QTabBar>
#include <QVBoxLayout>

#include "common/paths.h"
#include "common/version.h"
#include "platform/file_system.h"
#include "platform/locations.h"
#include "settings/number_field.h"
#include "settings/settings_load.h"
#include "settings/store.h"
#include "thumbs/thumbnail_targets.h"
#include "window/help_window.h"
#include "window/qt_text.h"
#include "window/screen_fit.h"

namespace pixmosa {

namespace {

constexpr int kWidth = 455;
constexpr int kHeight = 371;
constexpr int kWindowHelpContext = 10;

}  // namespace

// A fixed dialog frame: a title with the system menu, close and context help, and neither
// minimise nor maximise (on Windows its thin dialog frame, which cannot be resized).
TfrmMain::TfrmMain(Registry& registry, std::string textStorePath, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowContextHelpButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_registry(registry),
      m_textStorePath(std::move(textStorePath)),
      m_dialogs(dialogs),
      m_banks(m_textStorePath)
{
    setObjectName("frmMain");
    setFixedSize(kWidth, kHeight);
    // The window is laid out for a standard dialog font of eight points.
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    m_tip = new OverflowTip(this);
    qApp->installEventFilter(new ScreenFit(this));
    m_previews = new PreviewLoader(this);
    connect(m_previews, &PreviewLoader::loaded, this, &TfrmMain::previewLoaded);
    m_help = new HelpWindow(toQt(helpPagePath()), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    layout->addWidget(Panel1);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setDocumentMode(true);
    PageControl1->setUsesScrollButtons(false);
    // Narrow tabs, so all six fit the window's width. The sheet stays on the bar: one on the
    // tab control would reach every control on its pages and override their palettes.
    PageControl1->tabBar()->setStyleSheet("QTabBar::tab { padding: 3px 5px; }");
    PageControl1->addTab(buildThumbnailsTab(), "Thumbnails");
    PageControl1->addTab(buildGalleryTab(), "Gallery Page");
    PageControl1->addTab(buildImageTab(), "Image Page");
    PageControl1->addTab(buildIndexTab(), "Index Page");
    PageControl1->addTab(buildAdvancedTab(), "Advanced");
    PageControl1->addTab(buildAboutTab(), "About");
    layout->addWidget(PageControl1, 1);
    buildStatusBar();
    layout->addWidget(StatusBar1);

    // Screen readers name the tab control after the page it shows, and the keyboard starts on
    // that page's first field, never on the tool bar (where Space would quit).
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        PageControl1->setAccessibleName(PageControl1->tabText(index));
        focusFirstFieldOfPage();
    });

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { openHelp(helpContextOf(QApplication::focusWidget())); });

    FormCreate();
    focusFirstFieldOfPage();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // A command under way is asked to stop at its next file; the window closes once it has.
    if (m_running) {
        m_closeRequested = true;
        event->ignore();
        return;
    }
    leaveFocusedField();
    FormDestroy();
    m_help->close();
    QWidget::closeEvent(event);
}

// The first field to type in, in the page's reading order: keys pressed there only type.
void TfrmMain::focusFirstFieldOfPage()
{
    QWidget* page = PageControl1->currentWidget();
    for (QWidget* next = page->nextInFocusChain(); next != page && next != this;
         next = next->nextInFocusChain()) {
        const bool typedIn = qobject_cast<QLineEdit*>(next) != nullptr ||
                             qobject_cast<QPlainTextEdit*>(next) != nullptr;
        if (typedIn && page->isAncestorOf(next) && next->isVisibleTo(page) && next->isEnabled() &&
            (next->focusPolicy() & Qt::TabFocus) != 0) {
            // Not a tab into the field, which would select its text for replacing.
            next->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    PageControl1->tabBar()->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::leaveFocusedField()
{
    QWidget* focused = QApplication::focusWidget();
    while (focused != nullptr && !m_exitHandlers.contains(focused)) {
        focused = focused->parentWidget();
    }
    if (focused != nullptr) {
        (this->*m_exitHandlers.at(focused))();
    }
}

void TfrmMain::setHelpContext(QWidget* widget, int context)
{
    m_helpContexts[widget] = context;
}

// A control without a context of its own passes the request to its nearest container that has
// one; the window's own is the Help button's.
int TfrmMain::helpContextOf(const QWidget* widget) const
{
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (const auto found = m_helpContexts.find(widget); found != m_helpContexts.end()) {
            return found->second;
        }
    }
    return kWindowHelpContext;
}

void TfrmMain::FormCreate()
{
    setWindowTitle(QString(kProgramTitle) + " v" + kProgramVersion);
    PageControl1->setCurrentIndex(0);
    PageControl1->setAccessibleName(PageControl1->tabText(0));
    applySettings(m_initial);
    // The image page tab stays hidden until the load says otherwise.
    showImageTab(false);

    SettingsLoad load = LoadGallerySettings(m_registry, m_textStorePath);
    applySettings(load.settings);
    m_thumbFolder = load.settings.ThumbFolder;

    // A loaded switch that differs from its box's initial state has the consequences of a
    // click by the user.
    const GallerySettings& loaded = load.settings;
    for (const auto& [box, field] : m_switchFields) {
        const bool GallerySettings::*flag = settingsField(field).flag;
        if (loaded.*flag != m_initial.*flag) {
            storeField(field);
        }
    }
    if (!loaded.ImageDir.empty()) {
        ImageDirChange();
    }
    if (loaded.Rows != m_initial.Rows || loaded.Cols != m_initial.Cols) {
        showPagesRequired();
    }
    applySwitchEffects();
    ScrollingText->setVisible(true);

    if (!load.complete()) {
        showError(*load.error);
        BannerCode->setEnabled(false);
        return;
    }
    m_banks = std::move(load.banks);
    refreshBankList();
    BannerCode->setEnabled(m_banks.chosen().has_value());
    BannerCode->setPlainText(memoText(loaded.BannerCode));

    if (directoryExists(withTrailingSeparator(loaded.ImageDir))) {
        // A folder outside the image directory is refused by the commands, so not made here;
        // one that cannot be made is reported by the first command that needs it.
        if (const GallerySettings settings = currentSettings(); checkThumbnailFolder(settings)) {
            (void)makeThumbnailDirectory(settings);
        }
        scanImageDirectory();
    }
}

// Runs once, at the first close, whichever way the program ends.
void TfrmMain::FormDestroy()
{
    if (m_destroyed) {
        return;
    }
    m_destroyed = true;
    (void)WriteStoreInteger(m_registry, kSettingsKey, settingsField(Field::Top).storedName, y());
    (void)WriteStoreInteger(m_registry, kSettingsKey, settingsField(Field::Left).storedName, x());
}

void TfrmMain::applySettings(const GallerySettings& settings)
{
    move(settings.Left, settings.Top);
    for (const auto& [edit, field] : m_textFields) {
        const QSignalBlocker blocker(edit);
        edit->setText(toQt(settings.*settingsField(field).text));
    }
    for (const auto& [spin, field] : m_numberFields) {
        const QSignalBlocker blocker(spin);
        spin->setValue(settings.*settingsField(field).number);
    }
    for (const auto& [memo, field] : m_memoFields) {
        memo->setPlainText(memoText(settings.*settingsField(field).text));
    }
    for (const auto& [box, field] : m_switchFields) {
        const QSignalBlocker blocker(box);
        box->setChecked(settings.*settingsField(field).flag);
    }
    for (ColourButton* button : m_colourButtons) {
        button->setColour(settings.*settingsField(button->field()).number);
    }
    GalleryColors->applySamples();
    ImageColors->applySamples();
}

// The groups and the tab follow their switches, whatever the load did before.
void TfrmMain::applySwitchEffects()
{
    GalleryColors->setVisible(!chkDefColors->isChecked());
    ImageColors->setVisible(!UseGalleryCols->isChecked());
    showImageTab(chkImageShell->isChecked());
}

void TfrmMain::showImageTab(bool shown)
{
    const int index = PageControl1->indexOf(tabImage);
    if (shown && index < 0) {
        PageControl1->insertTab(2, tabImage, "Image Page");
    } else if (!shown && index >= 0) {
        PageControl1->removeTab(index);
    }
}

GallerySettings TfrmMain::currentSettings() const
{
    GallerySettings settings = m_initial;
    for (const auto& [edit, field] : m_textFields) {
        settings.*settingsField(field).text = fromQt(edit->text());
    }
    for (const auto& [spin, field] : m_numberFields) {
        settings.*settingsField(field).number = spin->value();
    }
    for (const auto& [memo, field] : m_memoFields) {
        settings.*settingsField(field).text = recordText(memo);
    }
    for (const auto& [box, field] : m_switchFields) {
        settings.*settingsField(field).flag = box->isChecked();
    }
    for (const ColourButton* button : m_colourButtons) {
        settings.*settingsField(button->field()).number = button->colour();
    }
    // A thumbnail size typed beyond its limits would ask for a raster of gigabytes.
    settings.ThumbSize = clampToLimits(settingsField(Field::ThumbSize), settings.ThumbSize);
    settings.ThumbFolder = m_thumbFolder;
    settings.BannerCode = recordText(BannerCode);
    return settings;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // A field is left when the focus moves to another control; switching to another window
    // or opening a popup or a message box leaves it where it is.
    const auto leavesField = [event] {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    };
    if (event->type() == QEvent::FocusOut && leavesField()) {
        if (const auto handler = m_exitHandlers.find(watched); handler != m_exitHandlers.end()) {
            (this->*handler->second)();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pixmosa
