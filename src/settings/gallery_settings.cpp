#include "settings/gallery_settings.h"

#include <array>
#include <cstdlib>

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

constexpr FieldInfo text(std::string_view name, std::string_view storedName,
                         std::string_view defaultText, std::string_view initialText,
                         std::string S::*member)
{
    return {.name = name,
            .control = name,
            .storedName = storedName,
            .kind = FieldKind::Text,
            .defaultText = defaultText,
            .initialText = initialText,
            .text = member};
}

constexpr FieldInfo number(std::string_view name, std::string_view storedName,
                           std::int32_t defaultValue, std::int32_t initialValue,
                           std::int32_t minimum, std::int32_t maximum, std::int32_t S::*member)
{
    return {.name = name,
            .control = name,
            .storedName = storedName,
            .kind = FieldKind::Number,
            .defaultValue = defaultValue,
            .initialValue = initialValue,
            .minimum = minimum,
            .maximum = maximum,
            .number = member};
}

constexpr FieldInfo colour(std::string_view name, std::string_view button, std::int32_t value,
                           std::int32_t S::*member)
{
    return {.name = name,
            .control = button,
            .storedName = name,
            .kind = FieldKind::Colour,
            .defaultValue = value,
            .initialValue = value,
            .number = member};
}

constexpr FieldInfo flag(std::string_view name, std::string_view checkBox, bool value,
                         bool S::*member)
{
    return {.name = name,
            .control = checkBox,
            .storedName = name,
            .kind = FieldKind::Switch,
            .defaultValue = value ? 1 : 0,
            .initialValue = value ? 1 : 0,
            .flag = member};
}

constexpr FieldInfo lines(std::string_view name, std::string_view section,
                          std::string_view initialText, std::string S::*member)
{
    return {.name = name,
            .control = name,
            .storedName = section,
            .kind = FieldKind::MultiLineText,
            .initialText = initialText,
            .text = member};
}

constexpr FieldInfo position(std::string_view name, std::int32_t defaultValue,
                             std::int32_t initialValue, std::int32_t S::*member)
{
    return {.name = name,
            .control = "frmMain",
            .storedName = name,
            .kind = FieldKind::Position,
            .defaultValue = defaultValue,
            .initialValue = initialValue,
            .number = member};
}

constexpr std::array kFields{
    text("ImageDir", "ImageDir", "", "", &S::ImageDir),
    text("ThumbsDir", "ThumbsDir", "Thumbs", "Thumbs", &S::ThumbsDir),
    text("ThumbPrefix", "ThumbPrefix", "Thumb-", "Thumb-", &S::ThumbPrefix),
    text("TableBackImage", "TableBackImage", "", "", &S::TableBackImage),
    text("GalleryPrefix", "GalleryPrefix", "Gallery", "Gallery", &S::GalleryPrefix),
    text("PageExt", "DocExtension", "html", "html", &S::PageExt),
    text("GalleryBackImage", "GalleryBackImage", "", "", &S::GalleryBackImage),
    text("GalleryTitle", "GalleryTitle", "Picture Gallery", "Picture Gallery", &S::GalleryTitle),
    text("ImageTitle", "ImageTitle", "Picture Gallery", "", &S::ImageTitle),
    text("IndexFile", "IndexFile", "index.html", "welcome.html", &S::IndexFile),
    text("IndexTitle", "IndexTitle", "Picture Gallery Index", "Picture Gallery Index",
         &S::IndexTitle),

    number("ThumbSize", "ThumbSize", 100, 120, 1, 400, &S::ThumbSize),
    number("Rows", "Rows", 2, 2, 1, 100, &S::Rows),
    number("Cols", "Columns", 5, 5, 1, 100, &S::Cols),
    number("CellSpacing", "CellSpacing", 0, 0, 0, 100, &S::CellSpacing),
    number("CellPadding", "CellPadding", 20, 10, 0, 100, &S::CellPadding),
    number("TableBorder", "TableBorder", 5, 5, 0, 100, &S::TableBorder),

    colour("TableBackColor", "butTableBackColor", 0x00C0C0C0, &S::TableBackColor),
    colour("GalleryForeColor", "butGalleryForeColor", 0x00FFFF00, &S::GalleryForeColor),
    colour("GalleryBackColor", "butGalleryBackColor", 0x00800000, &S::GalleryBackColor),
    colour("GalleryLinkColor", "butGalleryLinkColor", 0x0000FF00, &S::GalleryLinkColor),
    colour("GalleryVisitedLinkColor", "butGalleryVisitedLinkColor", 0x0000FFFF,
           &S::GalleryVisitedLinkColor),
    colour("GalleryActiveLinkColor", "butGalleryActiveLinkColor", 0x000000FF,
           &S::GalleryActiveLinkColor),
    colour("ImageForeColor", "butImageForeColor", 0x00000000, &S::ImageForeColor),
    colour("ImageBackColor", "butImageBackColor", 0x00FFFFFF, &S::ImageBackColor),
    colour("ImageLinkColor", "butImageLinkColor", 0x00FF0000, &S::ImageLinkColor),
    colour("ImageVisitedLinkColor", "butImageVisitedLinkColor", 0x00000080,
           &S::ImageVisitedLinkColor),
    colour("ImageActiveLinkColor", "butImageActiveLinkColor", 0x000000FF, &S::ImageActiveLinkColor),

    flag("Sorted", "chkSort", false, &S::Sorted),
    flag("DefaultColors", "chkDefColors", false, &S::DefaultColors),
    flag("UseImageShell", "chkImageShell", true, &S::UseImageShell),
    flag("UseGalleryColors", "UseGalleryCols", true, &S::UseGalleryColors),
    flag("DisablePageLinks", "DisablePageLinks", false, &S::DisablePageLinks),
    flag("DisableBanner", "DisableBanner", false, &S::DisableBanner),

    lines("GalleryHeader", "Gallery Header", kPageTitle, &S::GalleryHeader),
    lines("GalleryFooter", "Gallery Footer", "", &S::GalleryFooter),
    lines("ImageHeader", "Image Header", kPageTitle, &S::ImageHeader),
    lines("ImageFooter", "Image Footer", "", &S::ImageFooter),
    lines("IndexHeader", "Index Header", kIndexTitle, &S::IndexHeader),
    lines("IndexFooter", "Index Footer", kIndexFooter, &S::IndexFooter),
    lines("HeaderCode", "Header Code", "", &S::HeaderCode),
    // Stored in the section named by the chosen banner bank.
    lines("BannerCode", "", "", &S::BannerCode),

    position("Top", 150, 130, &S::Top),
    position("Left", 200, 330, &S::Left),
};

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

const FieldInfo& settingsField(std::string_view name)
{
    for (const FieldInfo& field : kFields) {
        if (field.name == name) {
            return field;
        }
    }
    std::abort();
}

}  // namespace pixmosa
