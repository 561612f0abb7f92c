#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "window/main.h"

namespace pixmosa {

QWidget* TfrmMain::buildGalleryTab()
{
    tabGallery = newTab("tabGallery", 17);
    QVBoxLayout* column = tabColumn(tabGallery);

    auto* top = new QHBoxLayout;
    auto* boxes = new QVBoxLayout;
    chkDefColors = switchField(Field::DefaultColors, "Default Colors", tabGallery, 201,
                               &TfrmMain::chkDefColorsClick);
    chkImageShell = switchField(Field::UseImageShell, "Use Image Shell", tabGallery, 211,
                                &TfrmMain::chkImageShellClick);
    boxes->addWidget(chkDefColors);
    boxes->addWidget(chkImageShell);
    boxes->addStretch(1);
    top->addLayout(boxes);
    top->addStretch(1);
    GalleryColors = colourGroup(
        {"GalleryColors",
         "Gallery",
         {Field::GalleryForeColor, Field::GalleryBackColor, Field::GalleryLinkColor,
          Field::GalleryVisitedLinkColor, Field::GalleryActiveLinkColor},
         "Shape1",
         {"edtTextColor", "edtLinkColor", "edtVisitedLinkColor", "edtActiveLinkColor"}},
        tabGallery, 221,
        {&TfrmMain::butGalleryForeColorClick, &TfrmMain::butGalleryBackColorClick,
         &TfrmMain::butGalleryLinkColorClick, &TfrmMain::butGalleryVisitedLinkColorClick,
         &TfrmMain::butGalleryActiveLinkColorClick});
    top->addWidget(GalleryColors);
    column->addLayout(top);

    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(2);
    GalleryTitle = textField(Field::GalleryTitle, tabGallery, 291, &TfrmMain::GalleryTitleExit);
    GalleryPrefix = textField(Field::GalleryPrefix, tabGallery, 22, &TfrmMain::GalleryPrefixExit);
    PageExt = textField(Field::PageExt, tabGallery, 281, &TfrmMain::PageExtExit);
    PageExt->setMaximumWidth(60);
    GalleryBackImage =
        textField(Field::GalleryBackImage, tabGallery, 301, &TfrmMain::GalleryBackImageExit);
    fields->addWidget(caption("Page Title", GalleryTitle, tabGallery), 0, 0);
    fields->addWidget(GalleryTitle, 0, 1, 1, 3);
    fields->addWidget(caption("Page prefix", GalleryPrefix, tabGallery), 1, 0);
    fields->addWidget(GalleryPrefix, 1, 1);
    fields->addWidget(caption("Ext", PageExt, tabGallery), 1, 2);
    fields->addWidget(PageExt, 1, 3);
    fields->addWidget(caption("Background image", GalleryBackImage, tabGallery), 2, 0);
    fields->addWidget(GalleryBackImage, 2, 1, 1, 3);
    column->addLayout(fields);

    auto* texts = new QFormLayout;
    texts->setVerticalSpacing(2);
    GalleryHeader = memoField(Field::GalleryHeader, tabGallery, 311, &TfrmMain::GalleryHeaderExit);
    GalleryFooter = memoField(Field::GalleryFooter, tabGallery, 321, &TfrmMain::GalleryFooterExit);
    addPageTexts(texts, tabGallery, GalleryHeader, "Thumbnails go here", GalleryFooter);
    column->addLayout(texts, 1);

    QWidget* chain[] = {chkDefColors,
                        chkImageShell,
                        GalleryColors->foreground(),
                        GalleryColors->background(),
                        GalleryColors->link(),
                        GalleryColors->visitedLink(),
                        GalleryColors->activeLink(),
                        GalleryTitle,
                        GalleryPrefix,
                        PageExt,
                        GalleryBackImage,
                        GalleryHeader,
                        GalleryFooter};
    for (std::size_t i = 1; i < std::size(chain); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
    return tabGallery;
}

}  // namespace pixmosa
