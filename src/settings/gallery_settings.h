#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pixmosa {

// Every user setting of a gallery, one field per control of the main window. Field names are
// the names the rest of the program uses for them.
struct GallerySettings {
    std::string ImageDir;
    std::string ThumbsDir;
    std::string ThumbPrefix;
    std::string TableBackImage;
    std::string GalleryPrefix;
    std::string PageExt;
    std::string GalleryBackImage;
    std::string GalleryTitle;
    std::string ImageTitle;
    std::string IndexFile;
    std::string IndexTitle;

    std::int32_t ThumbSize = 0;
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    std::int32_t CellSpacing = 0;
    std::int32_t CellPadding = 0;
    std::int32_t TableBorder = 0;

    // Colours are laid out as 0x00BBGGRR.
    std::int32_t TableBackColor = 0;
    std::int32_t GalleryForeColor = 0;
    std::int32_t GalleryBackColor = 0;
    std::int32_t GalleryLinkColor = 0;
    std::int32_t GalleryVisitedLinkColor = 0;
    std::int32_t GalleryActiveLinkColor = 0;
    std::int32_t ImageForeColor = 0;
    std::int32_t ImageBackColor = 0;
    std::int32_t ImageLinkColor = 0;
    std::int32_t ImageVisitedLinkColor = 0;
    std::int32_t ImageActiveLinkColor = 0;

    bool Sorted = false;
    bool DefaultColors = false;
    bool UseImageShell = false;
    bool UseGalleryColors = false;
    bool DisablePageLinks = false;
    bool DisableBanner = false;

    // Multi-line texts as their editor holds them: the lines joined by CR LF. A text loaded from
    // the text store ends in CR LF, as an editor showing it has an empty last line; the
    // initial texts do not.
    std::string GalleryHeader;
    std::string GalleryFooter;
    std::string ImageHeader;
    std::string ImageFooter;
    std::string IndexHeader;
    std::string IndexFooter;
    std::string HeaderCode;
    std::string BannerCode;  // the lines of the chosen banner bank

    // The main window's edges in screen pixels.
    std::int32_t Top = 0;
    std::int32_t Left = 0;

    // Derived from ThumbsDir and never stored.
    std::string ThumbFolder;

    // The values the window's controls carry before the load; ThumbFolder follows ThumbsDir.
    static GallerySettings initial();
};

enum class FieldKind { Text, Number, Colour, Switch, MultiLineText, Position };

// Every field of the record, in the order in which the window loads them.
enum class Field : std::uint8_t {
    Top,
    Left,
    Sorted,
    DefaultColors,
    UseImageShell,
    UseGalleryColors,
    DisablePageLinks,
    DisableBanner,
    ImageDir,
    ThumbsDir,
    ThumbPrefix,
    IndexFile,
    IndexTitle,
    ThumbSize,
    CellSpacing,
    CellPadding,
    TableBorder,
    Rows,
    Cols,
    TableBackImage,
    GalleryPrefix,
    PageExt,
    GalleryBackImage,
    GalleryTitle,
    ImageTitle,
    TableBackColor,
    GalleryForeColor,
    GalleryBackColor,
    GalleryLinkColor,
    GalleryVisitedLinkColor,
    GalleryActiveLinkColor,
    ImageForeColor,
    ImageBackColor,
    ImageLinkColor,
    ImageVisitedLinkColor,
    ImageActiveLinkColor,
    GalleryHeader,
    GalleryFooter,
    ImageHeader,
    ImageFooter,
    IndexHeader,
    IndexFooter,
    HeaderCode,
    BannerCode,
};
inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::BannerCode) + 1;

// One row of the settings table: where a field lives, how it is stored and its starting values.
struct FieldInfo {
    Field id;
    std::string_view name;        // the field's name
    std::string_view control;     // the control that holds it
    std::string_view storedName;  // its value name, or its section for a multi-line text
    FieldKind kind;
    std::string_view defaultText = {};
    std::string_view initialText = {};
    std::int32_t defaultValue = 0;
    std::int32_t initialValue = 0;
    std::int32_t minimum = INT32_MIN;
    std::int32_t maximum = INT32_MAX;
    std::string GallerySettings::*text = nullptr;
    std::int32_t GallerySettings::*number = nullptr;
    bool GallerySettings::*flag = nullptr;
};

// The whole table, in the order in which the window loads the settings: the window position,
// the switches, the single-line texts and numbers, the colours, then the multi-line texts.
std::span<const FieldInfo> settingsFields();

// The field stored under a value name or section name (matched without regard to ASCII case),
// or null. Only fields with a fixed stored name are found.
const FieldInfo* findFieldByStoredName(std::string_view storedName);

const FieldInfo& settingsField(Field field);

}  // namespace pixmosa
