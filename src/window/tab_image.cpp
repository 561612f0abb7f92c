#include <QVBoxLayout>

#include "window/main.h"

namespace pixmosa {

QWidget* TfrmMain::buildImageTab()
{
    tabImage = newTab("tabImage", 19);
    QVBoxLayout* column = tabColumn(tabImage);

    // The colour group stands under its check box.
    UseGalleryCols = switchField(Field::UseGalleryColors, "Use Gallery page colors", tabImage, 331,
                                 &TfrmMain::UseGalleryColsClick);
    column->addWidget(UseGalleryCols);
    ImageColors =
        colourGroup({"ImageColors",
                     "Image",
                     {Field::ImageForeColor, Field::ImageBackColor, Field::ImageLinkColor,
                      Field::ImageVisitedLinkColor, Field::ImageActiveLinkColor},
                     "Shape2",
                     {"ImageText", "ImageLink", "ImageVisitedLink", "ImageActiveLink"}},
                    tabImage, 341,
                    {&TfrmMain::butImageForeColorClick, &TfrmMain::butImageBackColorClick,
                     &TfrmMain::butImageLinkColorClick, &TfrmMain::butImageVisitedLinkColorClick,
                     &TfrmMain::butImageActiveLinkColorClick});
    column->addWidget(ImageColors, 0, Qt::AlignLeft);

    auto* fields = new QFormLayout;
    fields->setVerticalSpacing(2);
    ImageTitle = textField(Field::ImageTitle, tabImage, 401, &TfrmMain::ImageTitleExit);
    fields->addRow(caption("Page Title", ImageTitle, tabImage), ImageTitle);
    ImageHeader = memoField(Field::ImageHeader, tabImage, 411, &TfrmMain::ImageHeaderExit);
    ImageFooter = memoField(Field::ImageFooter, tabImage, 421, &TfrmMain::ImageFooterExit);
    addPageTexts(fields, tabImage, ImageHeader, "Image goes here", ImageFooter);
    column->addLayout(fields, 1);
    return tabImage;
}

}  // namespace pixmosa
