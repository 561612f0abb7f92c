#include "window/main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "catalogue/image_order.h"
#include "catalogue/image_paths.h"
#include "catalogue/image_rename.h"
#include "catalogue/image_scan.h"
#include "catalogue/preview_fit.h"
#include "common/paths.h"
#include "common/text.h"
#include "generator/gallery_run.h"
#include "generator/generated_files.h"
#include "generator/page_plan.h"
#include "platform/file_system.h"
#include "settings/field_store.h"
#include "settings/number_field.h"
#include "settings/settings_load.h"
#include "settings/store.h"
#include "settings/text_store.h"
#include "settings/thumb_folder.h"
#include "thumbs/jpeg_header.h"
#include "thumbs/jpeg_source.h"
#include "thumbs/make_thumbnails.h"
#include "window/palette_colours.h"
#include "window/upright_picture.h"
#include "window/version.h"

namespace pixmosa {

namespace {

constexpr int kWidth = 455;
constexpr int kHeight = 371;
constexpr const char* kHint =
    "To re-arrange un-check Sorted, left-click, drag and drop at reqd position.";
constexpr const char* kHelpContext = "helpContext";
const QColor kNavy(0, 0, 128);
const QColor kAqua(0, 255, 255);

QString toQt(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string fromQt(const QString& text)
{
    return text.toStdString();
}

// An editor shows lines split by LF; the record keeps them joined by CR LF.
QString memoText(const std::string& text)
{
    return toQt(text).replace("\r\n", "\n");
}

std::string recordText(const QPlainTextEdit* memo)
{
    return fromQt(memo->toPlainText().replace("\n", "\r\n"));
}

QLabel* label(const char* text, QWidget* parent)
{
    return new QLabel(text, parent);
}

// What a command tells the window: texts in the status bar, a bar of progress, and a moment
// for the window to repaint after every file.
class WindowObserver final : public GalleryObserver {
public:
    WindowObserver(QLabel* statusText, QProgressBar* progress, Dialogs& dialogs, QWidget* window)
        : m_statusText(statusText), m_progress(progress), m_dialogs(dialogs), m_window(window)
    {
    }
    void status(std::string_view text) override { m_statusText->setText(toQt(std::string(text))); }
    void progress(std::size_t done, std::size_t total) override
    {
        m_progress->setRange(0, static_cast<int>(total));
        m_progress->setValue(static_cast<int>(done));
        m_progress->show();
    }
    void breathe() override { QCoreApplication::processEvents(); }
    void beep() override { m_dialogs.beep(); }
    void message(std::string_view text) override
    {
        m_dialogs.showMessage(m_window, toQt(std::string(text)));
    }
    void openPage(const std::string& path) override { m_dialogs.openWithDesktop(toQt(path)); }

private:
    QLabel* m_statusText;
    QProgressBar* m_progress;
    Dialogs& m_dialogs;
    QWidget* m_window;
};

}  // namespace

TfrmMain::TfrmMain(Registry& registry, std::string textStorePath, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint),
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* toolBar = new QWidget(this);
    toolBar->setObjectName("Panel1");
    toolBar->setFixedHeight(25);
    buildToolBar(toolBar);
    layout->addWidget(toolBar);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("PageControl1");
    m_tabs->setDocumentMode(true);
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setStyleSheet("QTabBar::tab { padding: 3px 5px; }");
    m_tabs->addTab(buildThumbnailsTab(), "Thumbnails");
    m_tabs->addTab(buildGalleryTab(), "Gallery Page");
    m_imageTab = buildImageTab();
    m_tabs->addTab(m_imageTab, "Image Page");
    m_tabs->addTab(buildIndexTab(), "Index Page");
    m_tabs->addTab(buildAdvancedTab(), "Advanced");
    m_tabs->addTab(buildAboutTab(), "About");
    layout->addWidget(m_tabs, 1);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName("StatusBar1");
    statusBar->setSizeGripEnabled(false);
    m_statusText = new QLabel(statusBar);
    m_statusText->setObjectName("StatusPanel");
    m_statusText->setMinimumWidth(100);
    m_statusText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_progress = new QProgressBar(statusBar);
    m_progress->setMaximumHeight(12);
    m_progress->setTextVisible(false);
    m_progress->hide();
    statusBar->addWidget(m_statusText);
    statusBar->addWidget(m_progress, 1);
    layout->addWidget(statusBar);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        for (QWidget* widget = QApplication::focusWidget(); widget != nullptr;
             widget = widget->parentWidget()) {
            if (widget->property(kHelpContext).isValid()) {
                openHelp(widget->property(kHelpContext).toInt());
                return;
            }
        }
        openHelp(10);
    });

    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::closeEvent(QCloseEvent* event)
{
    FormDestroy();
    QWidget::closeEvent(event);
}

void TfrmMain::setHelpContext(QWidget* widget, int context)
{
    widget->setProperty(kHelpContext, context);
}

// ---------------------------------------------------------------------------------------------
// Building the window

void TfrmMain::buildToolBar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
    const auto button = [&](const char* name, QStyle::StandardPixmap icon, const char* tip,
                            int context, const std::function<void()>& handler) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        b->setAutoRaise(true);
        setHelpContext(b, context);
        connect(b, &QToolButton::clicked, this, handler);
        row->addWidget(b);
        return b;
    };
    button("butExit", QStyle::SP_DialogCloseButton, "Exit", 39, [this] { close(); });
    m_commandButtons.push_back(button("butMakeThumbs", QStyle::SP_FileDialogContentsView,
                                      "Make Thumbnails", 31, [this] { butMakeThumbsClick(); }));
    m_commandButtons.push_back(button("butBrowser", QStyle::SP_DirLinkIcon, "Open in browser", 36,
                                      [this] { butBrowserClick(); }));
    auto* gallery =
        button("butHTML", QStyle::SP_CustomBase, "Make Gallery", 29, [this] { butHTMLClick(); });
    gallery->setIcon(QIcon());
    gallery->setText("&Gallery");
    gallery->setAutoRaise(false);
    gallery->setStyleSheet(
        "QToolButton { color: yellow; background-color: green; font-weight: bold; "
        "padding: 0 6px; }");
    m_commandButtons.push_back(gallery);
    QToolButton* help =
        button("butHelp", QStyle::SP_DialogHelpButton, "Help", 10, [this] { butHelpClick(); });
    help->setIcon(QIcon());
    help->setText("?");
    row->addStretch(1);
}

QLineEdit* TfrmMain::textField(const char* fieldName, QWidget* parent, int helpContext,
                               bool overflowTip)
{
    const FieldInfo& field = settingsField(fieldName);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(toQt(std::string(field.control)));
    setHelpContext(edit, helpContext);
    edit->installEventFilter(this);
    if (overflowTip) {
        m_tip->watch(edit);
    }
    m_fieldOf[edit] = &field;
    m_controls[std::string(field.control)] = edit;
    m_exitHandlers[edit] = [this, edit] { storeTextField(edit); };
    return edit;
}

SpinEdit* TfrmMain::spinField(const char* fieldName, QWidget* parent)
{
    const FieldInfo& field = settingsField(fieldName);
    auto* spin = new SpinEdit(field.minimum, field.maximum, parent);
    spin->setObjectName(toQt(std::string(field.control)));
    spin->installEventFilter(this);
    m_fieldOf[spin] = &field;
    m_controls[std::string(field.control)] = spin;
    m_exitHandlers[spin] = [this, spin] { storeNumberField(spin); };
    return spin;
}

QPlainTextEdit* TfrmMain::memoField(const char* fieldName, QWidget* parent, int helpContext)
{
    const FieldInfo& field = settingsField(fieldName);
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(toQt(std::string(field.control)));
    setHelpContext(memo, helpContext);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    memo->setMinimumHeight(30);
    memo->installEventFilter(this);
    m_fieldOf[memo] = &field;
    m_controls[std::string(field.control)] = memo;
    m_exitHandlers[memo] = [this, memo] { storeMemo(memo); };
    return memo;
}

QCheckBox* TfrmMain::switchField(const char* fieldName, const char* caption, QWidget* parent,
                                 int helpContext, void (TfrmMain::*handler)())
{
    const FieldInfo& field = settingsField(fieldName);
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(toQt(std::string(field.control)));
    setHelpContext(box, helpContext);
    m_fieldOf[box] = &field;
    m_controls[std::string(field.control)] = box;
    connect(box, &QCheckBox::clicked, this, handler);
    return box;
}

void TfrmMain::addColourButtons(ColourGroup* group, int firstHelpContext)
{
    setHelpContext(group, firstHelpContext);
    for (int i = 0; i < 5; ++i) {
        ColourButton* button = group->button(i);
        setHelpContext(button, firstHelpContext + 10 * i);
        m_colourButtons.push_back(button);
        connect(button, &QToolButton::clicked, this, [this, button] { colourButtonClick(button); });
    }
}

void TfrmMain::addPageTexts(QFormLayout* form, QWidget* parent, const MemoSpec& header,
                            const char* placeholderText, const MemoSpec& footer)
{
    form->addRow("Header", memoField(header.field, parent, header.helpContext));
    form->addRow(QString(), placeholder(placeholderText, parent));
    form->addRow("Footer", memoField(footer.field, parent, footer.helpContext));
}

QLabel* TfrmMain::placeholder(const char* text, QWidget* parent)
{
    auto* shown = new QLabel(text, parent);
    shown->setAlignment(Qt::AlignCenter);
    shown->setAutoFillBackground(true);
    QPalette palette = shown->palette();
    palette.setColor(QPalette::Window, kNavy);
    palette.setColor(QPalette::WindowText, kAqua);
    shown->setPalette(palette);
    shown->setFixedHeight(17);
    return shown;
}

QWidget* TfrmMain::buildThumbnailsTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("tabThumbs");
    setHelpContext(tab, 15);

    m_hint = new Marquee(kHint, tab);
    m_hint->setObjectName("ScrollingText");
    m_hint->setGeometry(0, 0, 125, 17);

    m_imageList = new ImageList(tab);
    m_imageList->setObjectName("ImageList");
    m_imageList->setGeometry(0, 16, 125, 177);
    // A name wider than the list shows whole in the overflow tip instead.
    m_imageList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHelpContext(m_imageList, 61);
    m_tip->watch(m_imageList);
    connect(m_imageList, &QListWidget::itemClicked, this, [this] { ImageListClick(); });
    connect(m_imageList, &QListWidget::currentRowChanged, this, [this] {
        if (m_imageList->hasFocus() && !(QApplication::mouseButtons() & Qt::LeftButton)) {
            ImageListClick();
        }
    });
    connect(m_imageList, &ImageList::droppedOn, this, &TfrmMain::ImageListDragDrop);

    m_imageArea = new QLabel(tab);
    m_imageArea->setObjectName("ImageArea");
    m_imageArea->setGeometry(0, 196, 125, 104);
    m_imageArea->setScaledContents(true);

    auto* panel = new QWidget(tab);
    panel->setGeometry(131, 0, kWidth - 135, 300);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 2, 4, 0);
    column->setSpacing(3);

    // Long captions stand in forms of their own, so the columns of numbers stay narrow.
    auto* paths = new QFormLayout;
    paths->setVerticalSpacing(3);
    QLineEdit* imageDir = textField("ImageDir", panel, 41);
    connect(imageDir, &QLineEdit::textChanged, this, &TfrmMain::ImageDirChange);
    m_exitHandlers[imageDir] = [this] { ImageDirExit(); };
    auto* browse = new QToolButton(panel);
    browse->setObjectName("butBrowse");
    browse->setText("...");
    browse->setToolTip("Select directory");
    connect(browse, &QToolButton::clicked, this, &TfrmMain::butImgDirClick);
    auto* hiddenBrowse = new QToolButton(tab);
    hiddenBrowse->setObjectName("butImgDir");
    hiddenBrowse->setGeometry(-100, -100, 10, 10);
    connect(hiddenBrowse, &QToolButton::clicked, this, &TfrmMain::butImgDirClick);
    auto* dirRow = new QHBoxLayout;
    dirRow->setSpacing(2);
    dirRow->addWidget(imageDir, 1);
    dirRow->addWidget(browse);
    paths->addRow("Image directory", dirRow);

    QLineEdit* thumbsDir = textField("ThumbsDir", panel, 46);
    m_exitHandlers[thumbsDir] = [this] { ThumbsDirExit(); };
    paths->addRow("Thumbnail directory", thumbsDir);
    QLineEdit* prefix = textField("ThumbPrefix", panel, 101);
    paths->addRow("Thumbnails prefix", prefix);
    const auto spin = [&](const char* name, int context) {
        SpinEdit* field = spinField(name, panel);
        field->setFixedWidth(48);
        setHelpContext(field, context);
        return field;
    };
    paths->addRow("Thumbnail size (pixels)", spin("ThumbSize", 111));
    column->addLayout(paths);

    auto* numbers = new QGridLayout;
    numbers->setHorizontalSpacing(4);
    numbers->setVerticalSpacing(3);
    const auto addSpin = [&](const char* name, const char* caption, int context, int row, int col) {
        SpinEdit* field = spin(name, context);
        numbers->addWidget(label(caption, panel), row, col);
        numbers->addWidget(field, row, col + 1);
        return field;
    };
    SpinEdit* rows = addSpin("Rows", "Rows", 121, 0, 0);
    SpinEdit* cols = addSpin("Cols", "Columns", 131, 0, 2);
    connect(rows, &SpinEdit::textEdited, this, &TfrmMain::RowsChange);
    connect(cols, &SpinEdit::textEdited, this, &TfrmMain::ColsChange);
    addSpin("CellSpacing", "Cell spacing", 141, 1, 0);
    addSpin("CellPadding", "Cell padding", 151, 1, 2);
    addSpin("TableBorder", "Border", 161, 2, 0);
    auto* tableColour = new ColourButton(panel);
    tableColour->setObjectName("butTableBackColor");
    setHelpContext(tableColour, 171);
    m_colourButtons.push_back(tableColour);
    connect(tableColour, &QToolButton::clicked, this,
            [this, tableColour] { colourButtonClick(tableColour); });
    numbers->addWidget(label("Table backcolor", panel), 2, 2);
    numbers->addWidget(tableColour, 2, 3);
    numbers->setColumnStretch(1, 1);
    numbers->setColumnStretch(3, 1);
    column->addLayout(numbers);

    auto* background = new QFormLayout;
    QLineEdit* tableImage = textField("TableBackImage", panel, 181);
    background->addRow("Table background image", tableImage);
    column->addLayout(background);

    auto* switches = new QHBoxLayout;
    QCheckBox* sorted = switchField("Sorted", "Sorted", panel, 51, &TfrmMain::chkSortClick);
    QCheckBox* noBanner =
        switchField("DisableBanner", "Disable Banner", panel, 91, &TfrmMain::DisableBannerClick);
    switches->addWidget(sorted);
    switches->addWidget(noBanner);
    switches->addStretch(1);
    column->addLayout(switches);

    m_renameButton = new QToolButton(panel);
    m_renameButton->setObjectName("butRenameImg");
    m_renameButton->setText("Rename\nImages");
    m_renameButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_renameButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setHelpContext(m_renameButton, 49);
    connect(m_renameButton, &QToolButton::clicked, this, &TfrmMain::butRenameImgClick);
    m_pagesRequired = new QLabel(panel);
    m_pagesRequired->setObjectName("PagesReqd");
    setHelpContext(m_pagesRequired, 191);
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_renameButton);
    commands->addSpacing(8);
    commands->addWidget(m_pagesRequired, 1);
    column->addLayout(commands);
    column->addStretch(1);
    return tab;
}

QWidget* TfrmMain::buildGalleryTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("tabGallery");
    setHelpContext(tab, 17);
    auto* column = new QVBoxLayout(tab);
    column->setContentsMargins(4, 4, 4, 2);
    column->setSpacing(3);

    auto* top = new QHBoxLayout;
    auto* boxes = new QVBoxLayout;
    QCheckBox* defaults =
        switchField("DefaultColors", "Default Colors", tab, 201, &TfrmMain::chkDefColorsClick);
    QCheckBox* shell =
        switchField("UseImageShell", "Use Image Shell", tab, 211, &TfrmMain::chkImageShellClick);
    boxes->addWidget(defaults);
    boxes->addWidget(shell);
    boxes->addStretch(1);
    top->addLayout(boxes);
    top->addStretch(1);
    m_galleryColours = new ColourGroup(
        {"GalleryColors",
         {"butGalleryForeColor", "butGalleryBackColor", "butGalleryLinkColor",
          "butGalleryVisitedLinkColor", "butGalleryActiveLinkColor"},
         "Shape1",
         {"edtTextColor", "edtLinkColor", "edtVisitedLinkColor", "edtActiveLinkColor"}},
        tab);
    top->addWidget(m_galleryColours);
    addColourButtons(m_galleryColours, 221);
    column->addLayout(top);

    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(2);
    QLineEdit* title = textField("GalleryTitle", tab, 291);
    QLineEdit* prefix = textField("GalleryPrefix", tab, 22);
    QLineEdit* extension = textField("PageExt", tab, 281);
    extension->setMaximumWidth(60);
    QLineEdit* background = textField("GalleryBackImage", tab, 301);
    fields->addWidget(label("Page Title", tab), 0, 0);
    fields->addWidget(title, 0, 1, 1, 3);
    fields->addWidget(label("Page prefix", tab), 1, 0);
    fields->addWidget(prefix, 1, 1);
    fields->addWidget(label("Ext", tab), 1, 2);
    fields->addWidget(extension, 1, 3);
    fields->addWidget(label("Background image", tab), 2, 0);
    fields->addWidget(background, 2, 1, 1, 3);
    column->addLayout(fields);

    auto* texts = new QFormLayout;
    texts->setVerticalSpacing(2);
    addPageTexts(texts, tab, {"GalleryHeader", 311}, "Thumbnails go here", {"GalleryFooter", 321});
    column->addLayout(texts, 1);
    return tab;
}

QWidget* TfrmMain::buildImageTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("tabImage");
    setHelpContext(tab, 19);
    auto* column = new QVBoxLayout(tab);
    column->setContentsMargins(4, 4, 4, 2);
    column->setSpacing(3);

    auto* top = new QHBoxLayout;
    QCheckBox* galleryColours = switchField("UseGalleryColors", "Use Gallery page colors", tab, 331,
                                            &TfrmMain::UseGalleryColsClick);
    top->addWidget(galleryColours, 0, Qt::AlignTop);
    top->addStretch(1);
    m_imageColours =
        new ColourGroup({"ImageColors",
                         {"butImageForeColor", "butImageBackColor", "butImageLinkColor",
                          "butImageVisitedLinkColor", "butImageActiveLinkColor"},
                         "Shape2",
                         {"ImageText", "ImageLink", "ImageVisitedLink", "ImageActiveLink"}},
                        tab);
    top->addWidget(m_imageColours);
    addColourButtons(m_imageColours, 341);
    column->addLayout(top);

    auto* fields = new QFormLayout;
    fields->setVerticalSpacing(2);
    fields->addRow("Page Title", textField("ImageTitle", tab, 401));
    addPageTexts(fields, tab, {"ImageHeader", 411}, "Image goes here", {"ImageFooter", 421});
    column->addLayout(fields, 1);
    return tab;
}

QWidget* TfrmMain::buildIndexTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("tabIndexPage");
    setHelpContext(tab, 21);
    auto* fields = new QFormLayout(tab);
    fields->setContentsMargins(4, 4, 4, 2);
    fields->setVerticalSpacing(3);
    fields->addRow("Index file name", textField("IndexFile", tab, 431, false));
    fields->addRow("Page Title", textField("IndexTitle", tab, 451));
    addPageTexts(fields, tab, {"IndexHeader", 471}, "Page links go here", {"IndexFooter", 461});
    fields->addRow(QString(), switchField("DisablePageLinks", "Disable Page Links", tab, 441,
                                          &TfrmMain::DisablePageLinksClick));
    return tab;
}

QWidget* TfrmMain::buildAdvancedTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("tabAdvanced");
    setHelpContext(tab, 26);
    auto* column = new QVBoxLayout(tab);
    column->setContentsMargins(4, 4, 4, 2);
    column->setSpacing(3);
    column->addWidget(label("Header code", tab));
    QPlainTextEdit* headerCode = memoField("HeaderCode", tab, 521);
    column->addWidget(headerCode, 1);

    auto* title = new QLabel("Banner Rotation", tab);
    QFont raised = title->font();
    raised.setBold(true);
    raised.setItalic(true);
    raised.setPointSizeF(raised.pointSizeF() * 1.2);
    title->setFont(raised);
    title->setFrameStyle(QFrame::Panel | QFrame::Raised);
    title->setAlignment(Qt::AlignCenter);
    column->addWidget(title);

    auto* bankRow = new QHBoxLayout;
    m_bankList = new QComboBox(tab);
    m_bankList->setObjectName("BannerBank");
    m_bankList->setEditable(false);
    setHelpContext(m_bankList, 531);
    connect(m_bankList, &QComboBox::activated, this, [this] { BannerBankChange(); });
    auto* add = new QToolButton(tab);
    add->setObjectName("butAddBannerBank");
    add->setText("+");
    add->setToolTip("Add new banner bank");
    add->setFocusPolicy(Qt::NoFocus);
    connect(add, &QToolButton::clicked, this, &TfrmMain::butAddBannerBankClick);
    auto* remove = new QToolButton(tab);
    remove->setObjectName("butDeleteBannerBank");
    remove->setText("-");
    remove->setToolTip("Delete banner bank");
    remove->setFocusPolicy(Qt::NoFocus);
    connect(remove, &QToolButton::clicked, this, &TfrmMain::butDeleteBannerBankClick);
    bankRow->addWidget(label("Banner bank name", tab));
    bankRow->addWidget(m_bankList, 1);
    bankRow->addWidget(add);
    bankRow->addWidget(remove);
    column->addLayout(bankRow);

    m_bannerCode = new QPlainTextEdit(tab);
    m_bannerCode->setObjectName("BannerCode");
    m_bannerCode->setTabChangesFocus(true);
    m_bannerCode->installEventFilter(this);
    setHelpContext(m_bannerCode, 561);
    m_exitHandlers[m_bannerCode] = [this] { BannerCodeExit(); };
    column->addWidget(m_bannerCode, 1);
    return tab;
}

QWidget* TfrmMain::buildAboutTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("tabAbout");
    setHelpContext(tab, 28);
    auto* column = new QVBoxLayout(tab);
    auto* name = new QLabel(kProgramTitle, tab);
    name->setObjectName("lblProgram");
    QFont large = name->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    name->setFont(large);
    auto* version = new QLabel(QString("Version ") + kProgramVersion, tab);
    version->setObjectName("lblVersion");
    auto* description = new QLabel(kProgramDescription, tab);
    description->setWordWrap(true);
    auto* notice = new QLabel(kLegalNotice, tab);
    notice->setWordWrap(true);
    for (QLabel* line : {name, version, description, notice}) {
        line->setAlignment(Qt::AlignCenter);
        column->addWidget(line);
    }
    column->addStretch(1);
    return tab;
}

// ---------------------------------------------------------------------------------------------
// Start and shutdown

void TfrmMain::FormCreate()
{
    setWindowTitle(QString(kProgramTitle) + " v" + kProgramVersion);
    m_tabs->setCurrentIndex(0);
    applySettings(m_initial);
    // The image page tab stays hidden until the load says otherwise.
    showImageTab(false);

    SettingsLoad load = LoadGallerySettings(m_registry, m_textStorePath);
    applySettings(load.settings);
    m_thumbFolder = load.settings.ThumbFolder;

    // A loaded value that differs from the control's initial value has the consequences of a
    // change by the user.
    const GallerySettings& loaded = load.settings;
    for (const auto& [widget, field] : m_fieldOf) {
        if (field->flag != nullptr && loaded.*field->flag != m_initial.*field->flag) {
            storeSwitch(static_cast<QCheckBox*>(widget));
        }
    }
    if (!loaded.ImageDir.empty()) {
        ImageDirChange();
    }
    if (loaded.Rows != m_initial.Rows || loaded.Cols != m_initial.Cols) {
        showPagesRequired();
    }
    applySwitchEffects();
    m_hint->setVisible(true);

    if (!load.complete()) {
        showError(*load.error);
        m_bannerCode->setEnabled(false);
        return;
    }
    m_banks = std::move(load.banks);
    refreshBankList();
    m_bannerCode->setEnabled(m_banks.chosen().has_value());
    m_bannerCode->setPlainText(memoText(loaded.BannerCode));

    const std::string imageDirectory = withTrailingSeparator(loaded.ImageDir);
    if (directoryExists(imageDirectory)) {
        (void)makeDirectories(imageDirectory + m_thumbFolder);
        scanImageDirectory();
    }
}

void TfrmMain::FormDestroy()
{
    (void)WriteStoreInteger(m_registry, kSettingsKey, "Top", y());
    (void)WriteStoreInteger(m_registry, kSettingsKey, "Left", x());
}

void TfrmMain::applySettings(const GallerySettings& settings)
{
    move(settings.Left, settings.Top);
    for (const auto& [control, field] : m_fieldOf) {
        const QSignalBlocker blocker(control);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(toQt(settings.*field->text));
        } else if (auto* spin = qobject_cast<SpinEdit*>(control)) {
            spin->setValue(settings.*field->number);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            memo->setPlainText(memoText(settings.*field->text));
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            box->setChecked(settings.*field->flag);
        }
    }
    for (ColourButton* button : m_colourButtons) {
        const FieldInfo& field = settingsField(button->objectName().mid(3).toStdString());
        button->setColour(settings.*field.number);
    }
    m_galleryColours->applySamples();
    m_imageColours->applySamples();
}

// The groups and the tab follow their switches, whatever the load did before.
void TfrmMain::applySwitchEffects()
{
    const GallerySettings settings = currentSettings();
    m_galleryColours->setVisible(!settings.DefaultColors);
    m_imageColours->setVisible(!settings.UseGalleryColors);
    showImageTab(settings.UseImageShell);
}

void TfrmMain::showImageTab(bool shown)
{
    const int index = m_tabs->indexOf(m_imageTab);
    if (shown && index < 0) {
        m_tabs->insertTab(2, m_imageTab, "Image Page");
    } else if (!shown && index >= 0) {
        m_tabs->removeTab(index);
    }
}

// ---------------------------------------------------------------------------------------------
// Fields

GallerySettings TfrmMain::currentSettings() const
{
    GallerySettings settings = m_initial;
    for (const auto& [widget, field] : m_fieldOf) {
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            settings.*field->text = fromQt(edit->text());
        } else if (const auto* spin = qobject_cast<const SpinEdit*>(widget)) {
            settings.*field->number = static_cast<std::int32_t>(
                parseWholeNumber(fromQt(spin->textValue())).value_or(field->minimum));
        } else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) {
            settings.*field->text = recordText(memo);
        } else if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
            settings.*field->flag = box->isChecked();
        }
    }
    for (const ColourButton* button : m_colourButtons) {
        const FieldInfo& field = settingsField(button->objectName().mid(3).toStdString());
        settings.*field.number = button->colour();
    }
    // A thumbnail size typed beyond its limits would ask for a raster of gigabytes.
    settings.ThumbSize = clampToLimits(settingsField("ThumbSize"), settings.ThumbSize);
    settings.ThumbFolder = m_thumbFolder;
    settings.BannerCode = recordText(m_bannerCode);
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
        const auto handler = m_exitHandlers.find(watched);
        if (handler != m_exitHandlers.end()) {
            handler->second();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmMain::storeTextField(QLineEdit* field)
{
    GallerySettings settings = currentSettings();
    if (Status stored = writeStoredField(m_registry, *m_fieldOf.at(field), settings); !stored) {
        showError(stored.message());
    }
}

void TfrmMain::storeNumberField(SpinEdit* field)
{
    const FieldInfo& info = *m_fieldOf.at(field);
    const NumberEntry entry = numberFromText(info, fromQt(field->textValue()));
    if (entry.showClamped) {
        const QSignalBlocker blocker(field);
        field->setValue(entry.value);
    }
    GallerySettings settings = currentSettings();
    settings.*info.number = entry.value;
    if (Status stored = writeStoredField(m_registry, info, settings); !stored) {
        showError(stored.message());
    }
}

void TfrmMain::storeMemo(QPlainTextEdit* memo)
{
    const FieldInfo& field = *m_fieldOf.at(memo);
    if (Status saved = SaveText(m_textStorePath, field.storedName, splitLines(recordText(memo)));
        !saved) {
        showError(saved.message());
    }
}

void TfrmMain::storeSwitch(QCheckBox* box)
{
    const GallerySettings settings = currentSettings();
    if (Status stored = writeStoredField(m_registry, *m_fieldOf.at(box), settings); !stored) {
        showError(stored.message());
    }
}

void TfrmMain::ImageDirChange()
{
    storeTextField(static_cast<QLineEdit*>(m_controls.at("ImageDir")));
}

void TfrmMain::ImageDirExit()
{
    scanImageDirectory();
}

void TfrmMain::ThumbsDirExit()
{
    auto* field = static_cast<QLineEdit*>(m_controls.at("ThumbsDir"));
    storeTextField(field);
    m_thumbFolder = deriveThumbFolder(fromQt(field->text()));
}

void TfrmMain::RowsChange()
{
    showPagesRequired();
}

void TfrmMain::ColsChange()
{
    showPagesRequired();
}

void TfrmMain::showPagesRequired()
{
    const GallerySettings settings = currentSettings();
    const PagesRequired pages = computePagesRequired(m_images.size(), settings.Rows, settings.Cols);
    if (pages.message) {
        m_dialogs.showMessage(this, toQt(std::string(*pages.message)));
    }
    m_pagesRequired->setText(toQt(pagesRequiredText(m_images.size(), pages.pageCount)));
}

void TfrmMain::chkSortClick()
{
    auto* box = static_cast<QCheckBox*>(m_controls.at("chkSort"));
    m_hint->setVisible(box->isChecked());
    if (box->isChecked()) {
        sortImageNames(m_images);
        refreshImageList(-1);
    }
    storeSwitch(box);
}

void TfrmMain::chkDefColorsClick()
{
    auto* box = static_cast<QCheckBox*>(m_controls.at("chkDefColors"));
    m_galleryColours->setVisible(!box->isChecked());
    storeSwitch(box);
}

void TfrmMain::chkImageShellClick()
{
    auto* box = static_cast<QCheckBox*>(m_controls.at("chkImageShell"));
    showImageTab(box->isChecked());
    storeSwitch(box);
}

void TfrmMain::UseGalleryColsClick()
{
    auto* box = static_cast<QCheckBox*>(m_controls.at("UseGalleryCols"));
    m_imageColours->setVisible(!box->isChecked());
    storeSwitch(box);
}

void TfrmMain::DisablePageLinksClick()
{
    storeSwitch(static_cast<QCheckBox*>(m_controls.at("DisablePageLinks")));
}

void TfrmMain::DisableBannerClick()
{
    storeSwitch(static_cast<QCheckBox*>(m_controls.at("DisableBanner")));
}

void TfrmMain::colourButtonClick(ColourButton* button)
{
    const std::optional<QColor> chosen = m_dialogs.chooseColour(this, m_dialogColour);
    if (!chosen) {
        return;
    }
    m_dialogColour = *chosen;
    button->setColour(ColourButton::fromQColor(*chosen));
    m_galleryColours->applySamples();
    m_imageColours->applySamples();
    const std::string name = button->objectName().mid(3).toStdString();
    if (Status stored = WriteStoreInteger(m_registry, kSettingsKey, settingsField(name).storedName,
                                          button->colour());
        !stored) {
        showError(stored.message());
    }
}

// ---------------------------------------------------------------------------------------------
// The image list

void TfrmMain::scanImageDirectory()
{
    const GallerySettings settings = currentSettings();
    m_images = ScanImages(settings.ImageDir, settings.Sorted);
    refreshImageList(-1);
    showPagesRequired();
}

void TfrmMain::refreshImageList(int selected)
{
    const QSignalBlocker blocker(m_imageList);
    m_imageList->clear();
    for (const std::string& name : m_images) {
        m_imageList->addItem(toQt(name));
    }
    m_imageList->setCurrentRow(selected);
}

void TfrmMain::butImgDirClick()
{
    auto* field = static_cast<QLineEdit*>(m_controls.at("ImageDir"));
    const QString preset = field->text().isEmpty()
                               ? QCoreApplication::applicationDirPath() + QDir::separator()
                               : field->text();
    const std::optional<QString> chosen = m_dialogs.chooseFolder(this, preset);
    if (!chosen) {
        return;
    }
    field->setText(*chosen);
    scanImageDirectory();
}

void TfrmMain::ImageListDragDrop(std::optional<int> row)
{
    const int from = m_imageList->currentRow();
    if (from < 0) {
        return;
    }
    const std::optional<std::size_t> onto =
        row ? std::optional<std::size_t>(static_cast<std::size_t>(*row)) : std::nullopt;
    const std::size_t to = moveImage(m_images, static_cast<std::size_t>(from), onto);
    refreshImageList(static_cast<int>(to));
}

void TfrmMain::ImageListClick()
{
    const int row = m_imageList->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_images.size()) {
        return;
    }
    const std::string path = imagePath(currentSettings(), m_images[static_cast<std::size_t>(row)]);
    if (Result<FileHandle> file = openImageFile(path); !file) {
        showError(file.message());
        return;
    }
    const Result<JpegFrame> frame = readJpegFrame(path);
    const PreviewBox current{m_imageArea->x(), m_imageArea->y(), m_imageArea->width(),
                             m_imageArea->height()};
    const PreviewBox list{m_imageList->x(), m_imageList->y(), m_imageList->width(),
                          m_imageList->height()};
    const ImageSize upright = frame ? frame->upright() : ImageSize{};
    const std::optional<PreviewBox> fitted =
        frame ? fitPreview(current, list, static_cast<int>(upright.width),
                           static_cast<int>(upright.height))
              : std::nullopt;
    if (!fitted) {
        m_imageArea->clear();
        return;
    }
    m_imageArea->setGeometry(fitted->left, fitted->top, fitted->width, fitted->height);
    // The stored pixels are scaled to the box's size before they are turned upright, so a
    // turned photo is read with the box's sides exchanged.
    QImageReader reader(toQt(path));
    reader.setAutoTransform(false);
    QSize scaled(std::max(fitted->width, 1), std::max(fitted->height, 1));
    if (swapsSides(frame->orientation)) {
        scaled.transpose();
    }
    reader.setScaledSize(scaled);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        m_imageArea->clear();
        return;
    }
    m_imageArea->setPixmap(QPixmap::fromImage(uprightPicture(picture, frame->orientation)));
}

void TfrmMain::butRenameImgClick()
{
    const std::optional<QString> prefix =
        m_dialogs.askText(this, "Image Prefix", "Type a prefix for the new name", QString(), 255);
    if (!prefix) {
        return;
    }
    const int selected = m_imageList->currentRow();
    RenameImages(currentSettings().ImageDir, m_images, fromQt(*prefix));
    refreshImageList(selected);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TfrmMain::setCommandsEnabled(bool enabled)
{
    for (QToolButton* button : m_commandButtons) {
        button->setEnabled(enabled);
    }
    m_renameButton->setEnabled(enabled);
}

void TfrmMain::runCommand(const std::function<Result<CommandEnd>()>& command)
{
    if (m_running) {
        return;
    }
    m_running = true;
    setCommandsEnabled(false);
    const Result<CommandEnd> end = command();
    m_progress->hide();
    setCommandsEnabled(true);
    m_running = false;
    if (!end) {
        showError(end.message());
    }
}

void TfrmMain::butMakeThumbsClick()
{
    runCommand([this] {
        WindowObserver observer(m_statusText, m_progress, m_dialogs, this);
        return MakeThumbnails(currentSettings(), m_images, observer);
    });
}

void TfrmMain::butHTMLClick()
{
    runCommand([this] {
        WindowObserver observer(m_statusText, m_progress, m_dialogs, this);
        const GalleryInputs inputs{currentSettings(), m_images, m_banks.names(), m_textStorePath};
        TimeSeededDraw draw;
        return RunGallery(inputs, observer, draw, PaletteSystemColours());
    });
}

void TfrmMain::butBrowserClick()
{
    m_dialogs.openWithDesktop(toQt(indexPagePath(currentSettings())));
}

void TfrmMain::butHelpClick()
{
    openHelp(10);
}

void TfrmMain::openHelp(int context)
{
    const QString page = QCoreApplication::applicationDirPath() + "/help/pixmosa.html";
    m_dialogs.openWithDesktop(QUrl::fromLocalFile(page).toString() + "#" +
                              QString::number(context));
}

void TfrmMain::showError(const std::string& message)
{
    QString text = toQt(message);
    if (!text.isEmpty() && text.back() > QChar('.')) {
        text += '.';
    }
    m_dialogs.showError(this, text);
}

// ---------------------------------------------------------------------------------------------
// Banner banks

void TfrmMain::refreshBankList()
{
    const QSignalBlocker blocker(m_bankList);
    m_bankList->clear();
    for (const std::string& name : m_banks.names()) {
        m_bankList->addItem(toQt(name));
    }
    m_bankList->setCurrentIndex(m_banks.chosen() ? static_cast<int>(*m_banks.chosen()) : -1);
}

void TfrmMain::showChosenBank()
{
    m_bannerCode->setEnabled(m_banks.chosen().has_value());
    const Result<std::string> lines = m_banks.chosenLines();
    if (!lines) {
        showError(lines.message());
        return;
    }
    m_bannerCode->setPlainText(memoText(*lines));
}

void TfrmMain::butAddBannerBankClick()
{
    m_bannerCode->clear();
    QString prompt = toQt(std::string(kAddBankPrompt));
    QString name;
    for (;;) {
        const std::optional<QString> typed =
            m_dialogs.askText(this, toQt(std::string(kNewBankCaption)), prompt, name,
                              static_cast<int>(kMaxBankNameLength));
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
    m_bannerCode->setEnabled(m_banks.chosen().has_value());
    if (!added) {
        showError(added.message());
    }
}

void TfrmMain::butDeleteBannerBankClick()
{
    m_bannerCode->clear();
    const Status deleted = m_banks.deleteChosen();
    refreshBankList();
    showChosenBank();
    if (!deleted) {
        showError(deleted.message());
    }
}

void TfrmMain::BannerBankChange()
{
    const int index = m_bankList->currentIndex();
    m_banks.choose(index >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(index))
                              : std::nullopt);
    showChosenBank();
}

void TfrmMain::BannerCodeExit()
{
    if (Status saved = m_banks.saveChosenLines(splitLines(recordText(m_bannerCode))); !saved) {
        showError(saved.message());
    }
}

}  // namespace pixmosa
