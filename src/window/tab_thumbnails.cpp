#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "window/main.h"

namespace pixmosa {

namespace {

constexpr const char* kHint =
    "To re-arrange un-check Sorted, left-click, drag and drop at reqd position.";
constexpr int kPanelLeft = 131;
constexpr int kTabWidth = 455;

}  // namespace

QWidget* TfrmMain::buildThumbnailsTab()
{
    tabThumbs = newTab("tabThumbs", 15);

    ScrollingText = new Marquee(kHint, tabThumbs);
    ScrollingText->setObjectName("ScrollingText");
    ScrollingText->setGeometry(0, 0, 125, 17);

    ImageList = new ImageListBox(tabThumbs);
    ImageList->setObjectName("ImageList");
    ImageList->setAccessibleName("Images");
    // The hint scrolls past above the list; screen readers hear it with the list.
    ImageList->setAccessibleDescription(kHint);
    ImageList->setGeometry(0, 16, 125, 177);
    // A name wider than the list shows whole in the overflow tip instead.
    ImageList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHelpContext(ImageList, 61);
    m_tip->watch(ImageList);
    connect(ImageList, &QListWidget::itemClicked, this, &TfrmMain::ImageListClick);
    connect(ImageList, &QListWidget::currentRowChanged, this, [this] {
        if (ImageList->hasFocus() && !(QApplication::mouseButtons() & Qt::LeftButton)) {
            ImageListClick();
        }
    });
    ImageList->setDragHandlers([this](const QObject* source) { return ImageListDragOver(source); },
                               [this](std::optional<int> row) { ImageListDragDrop(row); });

    ImageArea = new QLabel(tabThumbs);
    ImageArea->setObjectName("ImageArea");
    ImageArea->setGeometry(0, 196, 125, 104);
    ImageArea->setScaledContents(true);
    ImageArea->setAccessibleName("Preview of the selected image");

    // Wired to the same handler as the browse button, but never shown and never focused.
    butImgDir = new QToolButton(tabThumbs);
    butImgDir->setObjectName("butImgDir");
    butImgDir->setFocusPolicy(Qt::NoFocus);
    butImgDir->hide();
    connect(butImgDir, &QToolButton::clicked, this, &TfrmMain::butImgDirClick);

    auto* panel = new QWidget(tabThumbs);
    panel->setGeometry(kPanelLeft, 0, kTabWidth - kPanelLeft - 4, 300);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 2, 4, 0);
    column->setSpacing(3);

    // Long captions stand in forms of their own, so the columns of numbers stay narrow.
    auto* paths = new QFormLayout;
    paths->setVerticalSpacing(3);
    ImageDir = textField(Field::ImageDir, panel, 41, &TfrmMain::ImageDirExit);
    connect(ImageDir, &QLineEdit::textChanged, this, &TfrmMain::ImageDirChange);
    butBrowse = toolButton(panel, "butBrowse", "Select directory", 0, &TfrmMain::butImgDirClick);
    butBrowse->setText("...");
    auto* dirRow = new QHBoxLayout;
    dirRow->setSpacing(2);
    dirRow->addWidget(ImageDir, 1);
    dirRow->addWidget(butBrowse);
    paths->addRow(caption("Image directory", ImageDir, panel), dirRow);

    ThumbsDir = textField(Field::ThumbsDir, panel, 46, &TfrmMain::ThumbsDirExit);
    paths->addRow(caption("Thumbnail directory", ThumbsDir, panel), ThumbsDir);
    ThumbPrefix = textField(Field::ThumbPrefix, panel, 101, &TfrmMain::ThumbPrefixExit);
    paths->addRow(caption("Thumbnails prefix", ThumbPrefix, panel), ThumbPrefix);
    ThumbSize = numberField(Field::ThumbSize, panel, 111, &TfrmMain::ThumbSizeExit);
    paths->addRow(caption("Thumbnail size (pixels)", ThumbSize, panel), ThumbSize);
    column->addLayout(paths);

    auto* numbers = new QGridLayout;
    numbers->setHorizontalSpacing(4);
    numbers->setVerticalSpacing(3);
    const auto place = [&](QWidget* control, const char* text, int row, int col) {
        numbers->addWidget(caption(text, control, panel), row, col);
        numbers->addWidget(control, row, col + 1);
    };
    Rows = numberField(Field::Rows, panel, 121, &TfrmMain::RowsExit);
    connect(Rows, &SpinEdit::textEdited, this, &TfrmMain::RowsChange);
    place(Rows, "Rows", 0, 0);
    Cols = numberField(Field::Cols, panel, 131, &TfrmMain::ColsExit);
    connect(Cols, &SpinEdit::textEdited, this, &TfrmMain::ColsChange);
    place(Cols, "Columns", 0, 2);
    CellSpacing = numberField(Field::CellSpacing, panel, 141, &TfrmMain::CellSpacingExit);
    place(CellSpacing, "Cell spacing", 1, 0);
    CellPadding = numberField(Field::CellPadding, panel, 151, &TfrmMain::CellPaddingExit);
    place(CellPadding, "Cell padding", 1, 2);
    TableBorder = numberField(Field::TableBorder, panel, 161, &TfrmMain::TableBorderExit);
    place(TableBorder, "Border", 2, 0);
    butTableBackColor = new ColourButton(Field::TableBackColor, "Table background colour", panel);
    setHelpContext(butTableBackColor, 171);
    m_colourButtons.push_back(butTableBackColor);
    connect(butTableBackColor, &QToolButton::clicked, this, &TfrmMain::butTableBackColorClick);
    place(butTableBackColor, "Table backcolor", 2, 2);
    numbers->setColumnStretch(1, 1);
    numbers->setColumnStretch(3, 1);
    column->addLayout(numbers);

    auto* background = new QFormLayout;
    TableBackImage = textField(Field::TableBackImage, panel, 181, &TfrmMain::TableBackImageExit);
    background->addRow(caption("Table background image", TableBackImage, panel), TableBackImage);
    column->addLayout(background);

    auto* switches = new QHBoxLayout;
    chkSort = switchField(Field::Sorted, "Sorted", panel, 51, &TfrmMain::chkSortClick);
    DisableBanner = switchField(Field::DisableBanner, "Disable Banner", panel, 91,
                                &TfrmMain::DisableBannerClick);
    switches->addWidget(chkSort);
    switches->addWidget(DisableBanner);
    switches->addStretch(1);
    column->addLayout(switches);

    butRenameImg = new QToolButton(panel);
    butRenameImg->setObjectName("butRenameImg");
    butRenameImg->setText("Rename\nImages");
    butRenameImg->setAccessibleName("Rename Images");
    butRenameImg->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    butRenameImg->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setHelpContext(butRenameImg, 49);
    connect(butRenameImg, &QToolButton::clicked, this, &TfrmMain::butRenameImgClick);
    PagesReqd = new QLabel(panel);
    PagesReqd->setObjectName("PagesReqd");
    setHelpContext(PagesReqd, 191);
    auto* commands = new QHBoxLayout;
    commands->addWidget(butRenameImg);
    commands->addSpacing(8);
    commands->addWidget(PagesReqd, 1);
    column->addLayout(commands);
    column->addStretch(1);

    // Reading order: the list on the left, then the settings from the top.
    QWidget* chain[] = {ImageList,      ImageDir,    butBrowse,     ThumbsDir,
                        ThumbPrefix,    ThumbSize,   Rows,          Cols,
                        CellSpacing,    CellPadding, TableBorder,   butTableBackColor,
                        TableBackImage, chkSort,     DisableBanner, butRenameImg};
    for (std::size_t i = 1; i < std::size(chain); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
    return tabThumbs;
}

}  // namespace pixmosa
