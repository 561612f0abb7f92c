#include "catalogue/image_order.h"
#include "common/text.h"
#include "generator/page_plan.h"
#include "settings/field_store.h"
#include "settings/number_field.h"
#include "settings/store.h"
#include "settings/text_store.h"
#include "settings/thumb_folder.h"
#include "window/main.h"
#include "window/qt_text.h"

namespace pixmosa {

void TfrmMain::storeField(Field field)
{
    const GallerySettings settings = currentSettings();
    if (Status stored = writeStoredField(m_registry, settingsField(field), settings); !stored) {
        showError(stored.message());
    }
}

void TfrmMain::storeNumberField(SpinEdit* spin, Field field, Handler change)
{
    const FieldInfo& info = settingsField(field);
    const NumberEntry entry = numberFromText(info, fromQt(spin->textValue()));
    if (entry.showClamped) {
        const QSignalBlocker blocker(spin);
        spin->setValue(entry.value);
        if (change != nullptr) {
            (this->*change)();
        }
    }
    GallerySettings settings = currentSettings();
    settings.*info.number = entry.value;
    if (Status stored = writeStoredField(m_registry, info, settings); !stored) {
        showError(stored.message());
    }
}

void TfrmMain::storeMemo(Field field)
{
    const FieldInfo& info = settingsField(field);
    const GallerySettings settings = currentSettings();
    if (Status saved = SaveText(m_textStorePath, info.storedName, splitLines(settings.*info.text));
        !saved) {
        showError(saved.message());
    }
}

void TfrmMain::ImageDirChange()
{
    storeField(Field::ImageDir);
}
void TfrmMain::ImageDirExit()
{
    scanImageDirectory();
}

void TfrmMain::ThumbsDirExit()
{
    storeField(Field::ThumbsDir);
    m_thumbFolder = deriveThumbFolder(fromQt(ThumbsDir->text()));
}

void TfrmMain::ThumbPrefixExit()
{
    storeField(Field::ThumbPrefix);
}
void TfrmMain::TableBackImageExit()
{
    storeField(Field::TableBackImage);
}
void TfrmMain::GalleryTitleExit()
{
    storeField(Field::GalleryTitle);
}
void TfrmMain::GalleryPrefixExit()
{
    storeField(Field::GalleryPrefix);
}
void TfrmMain::PageExtExit()
{
    storeField(Field::PageExt);
}
void TfrmMain::GalleryBackImageExit()
{
    storeField(Field::GalleryBackImage);
}
void TfrmMain::ImageTitleExit()
{
    storeField(Field::ImageTitle);
}
void TfrmMain::IndexFileExit()
{
    storeField(Field::IndexFile);
}
void TfrmMain::IndexTitleExit()
{
    storeField(Field::IndexTitle);
}

void TfrmMain::ThumbSizeExit()
{
    storeNumberField(ThumbSize, Field::ThumbSize);
}
void TfrmMain::RowsExit()
{
    storeNumberField(Rows, Field::Rows, &TfrmMain::RowsChange);
}
void TfrmMain::ColsExit()
{
    storeNumberField(Cols, Field::Cols, &TfrmMain::ColsChange);
}
void TfrmMain::CellSpacingExit()
{
    storeNumberField(CellSpacing, Field::CellSpacing);
}
void TfrmMain::CellPaddingExit()
{
    storeNumberField(CellPadding, Field::CellPadding);
}
void TfrmMain::TableBorderExit()
{
    storeNumberField(TableBorder, Field::TableBorder);
}

void TfrmMain::GalleryHeaderExit()
{
    storeMemo(Field::GalleryHeader);
}
void TfrmMain::GalleryFooterExit()
{
    storeMemo(Field::GalleryFooter);
}
void TfrmMain::ImageHeaderExit()
{
    storeMemo(Field::ImageHeader);
}
void TfrmMain::ImageFooterExit()
{
    storeMemo(Field::ImageFooter);
}
void TfrmMain::IndexHeaderExit()
{
    storeMemo(Field::IndexHeader);
}
void TfrmMain::IndexFooterExit()
{
    storeMemo(Field::IndexFooter);
}
void TfrmMain::HeaderCodeExit()
{
    storeMemo(Field::HeaderCode);
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
        m_dialogs.showMessage(this, toQt(*pages.message));
    }
    PagesReqd->setText(toQt(pagesRequiredText(m_images.size(), pages.pageCount)));
}

void TfrmMain::chkSortClick()
{
    ScrollingText->setVisible(chkSort->isChecked());
    if (chkSort->isChecked()) {
        sortImageNames(m_images);
        refreshImageList(-1);
    }
    storeField(Field::Sorted);
}

void TfrmMain::chkDefColorsClick()
{
    GalleryColors->setVisible(!chkDefColors->isChecked());
    storeField(Field::DefaultColors);
}

void TfrmMain::chkImageShellClick()
{
    showImageTab(chkImageShell->isChecked());
    storeField(Field::UseImageShell);
}

void TfrmMain::UseGalleryColsClick()
{
    ImageColors->setVisible(!UseGalleryCols->isChecked());
    storeField(Field::UseGalleryColors);
}

void TfrmMain::DisablePageLinksClick()
{
    storeField(Field::DisablePageLinks);
}
void TfrmMain::DisableBannerClick()
{
    storeField(Field::DisableBanner);
}

void TfrmMain::chooseColour(ColourButton* button)
{
    const std::optional<QColor> chosen = m_dialogs.chooseColour(this, m_dialogColour);
    if (!chosen) {
        return;
    }
    m_dialogColour = *chosen;
    button->setColour(ColourButton::fromQColor(*chosen));
    GalleryColors->applySamples();
    ImageColors->applySamples();
    storeField(button->field());
}

void TfrmMain::butTableBackColorClick()
{
    chooseColour(butTableBackColor);
}
void TfrmMain::butGalleryForeColorClick()
{
    chooseColour(GalleryColors->foreground());
}
void TfrmMain::butGalleryBackColorClick()
{
    chooseColour(GalleryColors->background());
}
void TfrmMain::butGalleryLinkColorClick()
{
    chooseColour(GalleryColors->link());
}
void TfrmMain::butGalleryVisitedLinkColorClick()
{
    chooseColour(GalleryColors->visitedLink());
}
void TfrmMain::butGalleryActiveLinkColorClick()
{
    chooseColour(GalleryColors->activeLink());
}
void TfrmMain::butImageForeColorClick()
{
    chooseColour(ImageColors->foreground());
}
void TfrmMain::butImageBackColorClick()
{
    chooseColour(ImageColors->background());
}
void TfrmMain::butImageLinkColorClick()
{
    chooseColour(ImageColors->link());
}
void TfrmMain::butImageVisitedLinkColorClick()
{
    chooseColour(ImageColors->visitedLink());
}
void TfrmMain::butImageActiveLinkColorClick()
{
    chooseColour(ImageColors->activeLink());
}

}  // namespace pixmosa
