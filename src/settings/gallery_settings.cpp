#include "settings/gallery_settings.h"

#include <array>

#include "common/text.h"
#include "settings/thumb_folder.h"

namespace pixmosa {

namespace {

using S = GallerySettings;

constexpr std::string_view kPageTitle =
    "<DIV ALIGN=\"center\"><P>\r\n"
    "<B><I><FONT SIZE=\"+3\">Picture Gallery</FONT></I></B>\r\n"
    "</DIV>";
constexpr std::string_view kIndexTitle =
    "<DIV ALIGN=\"center\"><P>\r\n"
    "<B><I><FONT SIZE=\"+3\">Picture Gallery Index</FONT></I></B>\r\n"
    "</DIV>";
constexpr std::string_view kIndexFooter =
    "<P>\r\n"
    "<DIV ALIGN=\"center\">\r\n"
    "<B><I><FONT SIZE=\"+3\">\r\n"
    "Click here to enter Gallery\r\n"
    "</FONT></I></B>\r\n"
    "</DIV>\r\n"
    "<P>";

constexpr FieldInfo text(Field id, std::string_view name, std::string_view storedName,
                         std::string_view defaultText, std::string_view initialText,
                         std::string S::*member)
{
    return {.id = id,
            .name = name,
            .control = name,
            .storedName = storedName,
            .kind = FieldKind::Text,
            .defaultText = defaultText,
            .initialText = initialText,
            .text = member};
}

constexpr FieldInfo number(Field id, std::string_view name, std::string_view storedName,
                           std::int32_t defaultValue, std::int32_t initialValue,
                           std::int32_t minimum, std::int32_t maximum, std::int32_t S::*member)
{
    return {.id = id,
            .name = name,
            .control = name,
            .storedName = storedName,
            .kind = FieldKind::Number,
            .defaultValue = defaultValue,
            .initialValue = initialValue,
            .minimum = minimum,
            .maximum = maximum,
            .number = member};
}

constexpr FieldInfo colour(Field id, std::string_view name, std::string_view button,
                           std::int32_t value, std::int32_t S::*member)
{
    return {.id = id,
            .name = name,
            .control = button,
            .storedName = name,
            .kind = FieldKind::Colour,
            .defaultValue = value,
            .initialValue = value,
            .number = member};
}

constexpr FieldInfo flag(Field id, std::string_view name, std::string_view checkBox, bool value,
                         bool S::*member)
{
    return {.id = id,
            .name = name,
            .control = checkBox,
            .storedName = name,
            .kind = FieldKind::Switch,
            .defaultValue = value ? 1 : 0,
            .initialValue = value ? 1 : 0,
            .flag = member};
}

constexpr FieldInfo lines(Field id, std::string_view name, std::string_view section,
                          std::string_view initialText, std::string S::*member)
{
    return {.id = id,
            .name = name,
            .control = name,
            .storedName = section,
            .kind = FieldKind::MultiLineText,
            .initialText = initialText,
            .text = member};
}

constexpr FieldInfo position(Field id, std::string_view name, std::int32_t defaultValue,
                             std::int32_t initialValue, std::int32_t S::*member)
{
    return {.id = id,
            .name = name,
            .control = "frmMain",
            .storedName = name,
            .kind = FieldKind::Position,
            .defaultValue = defaultValue,
            .initialValue = initialValue,
            .number = member};
}

// In the order in which the window loads them; the entry of each field stands at the place
// its Field names.
constexpr std::array kFields{
    position(Field::Top, "Top", 150, 130, &S::Top),
    position(Field::Left, "Left", 200, 330, &S::Left),

    flag(Field::Sorted, "Sorted", "chkSort", false, &S::Sorted),
    flag(Field::DefaultColors, "DefaultColors", "chkDefColors", false, &S::DefaultColors),
    flag(Field::UseImageShell, "UseImageShell", "chkImageShell", true, &S::UseImageShell),
    flag(Field::UseGalleryColors, "UseGalleryColors", "UseGalleryCols", true, &S::UseGalleryColors),
    flag(Field::DisablePageLinks, "DisablePageLinks", "DisablePageLinks", false,
         &S::DisablePageLinks),
    flag(Field::DisableBanner, "DisableBanner", "DisableBanner", false, &S::DisableBanner),

    text(Field::ImageDir, "ImageDir", "ImageDir", "", "", &S::ImageDir),
    text(Field::ThumbsDir, "ThumbsDir", "ThumbsDir", "Thumbs", "Thumbs", &S::ThumbsDir),
    text(Field::ThumbPrefix, "ThumbPrefix", "ThumbPrefix", "Thumb-", "Thumb-", &S::ThumbPrefix),
    text(Field::IndexFile, "IndexFile", "IndexFile", "index.html", "welcome.html", &S::IndexFile),
    text(Field::IndexTitle, "IndexTitle", "IndexTitle", "Picture Gallery Index",
         "Picture Gallery Index", &S::IndexTitle),

    number(Field::ThumbSize, "ThumbSize", "ThumbSize", 100, 120, 1, 400, &S::ThumbSize),
    number(Field::CellSpacing, "CellSpacing", "CellSpacing", 0, 0, 0, 100, &S::CellSpacing),
    number(Field::CellPadding, "CellPadding", "CellPadding", 20, 10, 0, 100, &S::CellPadding),
    number(Field::TableBorder, "TableBorder", "TableBorder", 5, 5, 0, 100, &S::TableBorder),
    number(Field::Rows, "Rows", "Rows", 2, 2, 1, 100, &S::Rows),
    number(Field::Cols, "Cols", "Columns", 5, 5, 1, 100, &S::Cols),

    text(Field::TableBackImage, "TableBackImage", "TableBackImage", "", "", &S::TableBackImage),
    text(Field::GalleryPrefix, "GalleryPrefix", "GalleryPrefix", "Gallery", "Gallery",
         &S::GalleryPrefix),
    text(Field::PageExt, "PageExt", "DocExtension", "html", "html", &S::PageExt),
    text(Field::GalleryBackImage, "GalleryBackImage", "GalleryBackImage", "", "",
         &S::GalleryBackImage),
    text(Field::GalleryTitle, "GalleryTitle", "GalleryTitle", "Picture Gallery", "Picture Gallery",
         &S::GalleryTitle),
    text(Field::ImageTitle, "ImageTitle", "ImageTitle", "Picture Gallery", "", &S::ImageTitle),

    colour(Field::TableBackColor, "TableBackColor", "butTableBackColor", 0x00C0C0C0,
           &S::TableBackColor),
    colour(Field::GalleryForeColor, "GalleryForeColor", "butGalleryForeColor", 0x00FFFF00,
           &S::GalleryForeColor),
    colour(Field::GalleryBackColor, "GalleryBackColor", "butGalleryBackColor", 0x00800000,
           &S::GalleryBackColor),
    colour(Field::GalleryLinkColor, "GalleryLinkColor", "butGalleryLinkColor", 0x0000FF00,
           &S::GalleryLinkColor),
    colour(Field::GalleryVisitedLinkColor, "GalleryVisitedLinkColor", "butGalleryVisitedLinkColor",
           0x0000FFFF, &S::GalleryVisitedLinkColor),
    colour(Field::GalleryActiveLinkColor, "GalleryActiveLinkColor", "butGalleryActiveLinkColor",
           0x000000FF, &S::GalleryActiveLinkColor),
    colour(Field::ImageForeColor, "ImageForeColor", "butImageForeColor", 0x00000000,
           &S::ImageForeColor),
    colour(Field::ImageBackColor, "ImageBackColor", "butImageBackColor", 0x00FFFFFF,
           &S::ImageBackColor),
    colour(Field::ImageLinkColor, "ImageLinkColor", "butImageLinkColor", 0x00FF0000,
           &S::ImageLinkColor),
    colour(Field::ImageVisitedLinkColor, "ImageVisitedLinkColor", "butImageVisitedLinkColor",
           0x00000080, &S::ImageVisitedLinkColor),
    colour(Field::ImageActiveLinkColor, "ImageActiveLinkColor", "butImageActiveLinkColor",
           0x000000FF, &S::ImageActiveLinkColor),

    lines(Field::GalleryHeader, "GalleryHeader", "Gallery Header", kPageTitle, &S::GalleryHeader),
    lines(Field::GalleryFooter, "GalleryFooter", "Gallery Footer", "", &S::GalleryFooter),
    lines(Field::ImageHeader, "ImageHeader", "Image Header", kPageTitle, &S::ImageHeader),
    lines(Field::ImageFooter, "ImageFooter", "Image Footer", "", &S::ImageFooter),
    lines(Field::IndexHeader, "IndexHeader", "Index Header", kIndexTitle, &S::IndexHeader),
    lines(Field::IndexFooter, "IndexFooter", "Index Footer", kIndexFooter, &S::IndexFooter),
    lines(Field::HeaderCode, "HeaderCode", "Header Code", "", &S::HeaderCode),
    // Stored in the section named by the chosen banner bank.
    lines(Field::BannerCode, "BannerCode", "", "", &S::BannerCode),
};

constexpr bool inFieldOrder()
{
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (static_cast<std::size_t>(kFields[i].id) != i) {
            return false;
        }
    }
    return kFields.size() == kFieldCount;
}
static_assert(inFieldOrder(), "every field's entry stands at the place its Field names");

}  // namespace

GallerySettings GallerySettings::initial()
{
    GallerySettings settings;
    for (const FieldInfo& field : kFields) {
        if (field.text != nullptr) {
            settings.*field.text = field.initialText;
        } else if (field.number != nullptr) {
            settings.*field.number = field.initialValue;
        } else {
            settings.*field.flag = field.initialValue != 0;
        }
    }
    settings.ThumbFolder = deriveThumbFolder(settings.ThumbsDir);
    return settings;
}

std::span<const FieldInfo> settingsFields()
{
    return kFields;
}

const FieldInfo* findFieldByStoredName(std::string_view storedName)
{
    for (const FieldInfo& field : kFields) {
        if (!field.storedName.empty() && equalsIgnoringAsciiCase(field.storedName, storedName)) {
            return &field;
        }
    }
    return nullptr;
}

const FieldInfo& settingsField(Field field)
{
    return kFields[static_cast<std::size_t>(field)];
}

}  // namespace pixmosa
