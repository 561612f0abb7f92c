#include "settings/settings_load.h"

#include <array>

#include "platform/file_system.h"
#include "settings/number_field.h"
#include "settings/store.h"
#include "settings/text_store.h"
#include "settings/thumb_folder.h"

namespace pixmosa {

namespace {

constexpr auto kStoredFieldOrder = std::to_array<std::string_view>({
    "Top",
    "Left",
    "Sorted",
    "DefaultColors",
    "UseImageShell",
    "UseGalleryColors",
    "DisablePageLinks",
    "DisableBanner",
    "ImageDir",
    "ThumbsDir",
    "ThumbPrefix",
    "IndexFile",
    "IndexTitle",
    "ThumbSize",
    "CellSpacing",
    "CellPadding",
    "TableBorder",
    "Rows",
    "Cols",
    "TableBackImage",
    "GalleryPrefix",
    "PageExt",
    "GalleryBackImage",
    "GalleryTitle",
    "ImageTitle",
    "TableBackColor",
    "GalleryForeColor",
    "GalleryBackColor",
    "GalleryLinkColor",
    "GalleryVisitedLinkColor",
    "GalleryActiveLinkColor",
    "ImageForeColor",
    "ImageBackColor",
    "ImageLinkColor",
    "ImageVisitedLinkColor",
    "ImageActiveLinkColor",
});

constexpr auto kPageTextOrder = std::to_array<std::string_view>({
    "GalleryHeader",
    "GalleryFooter",
    "ImageHeader",
    "ImageFooter",
    "IndexHeader",
    "IndexFooter",
    "HeaderCode",
});

Status readField(const Registry& registry, const FieldInfo& field, GallerySettings& settings)
{
    switch (field.kind) {
    case FieldKind::Text: {
        Result<std::string> text =
            ReadStoreString(registry, kSettingsKey, field.storedName, field.defaultText);
        if (text) {
            settings.*field.text = std::move(text).value();
        }
        return text.status();
    }
    case FieldKind::Switch: {
        const Result<bool> on =
            ReadStoreBool(registry, kSettingsKey, field.storedName, field.defaultValue != 0);
        if (on) {
            settings.*field.flag = *on;
        }
        return on.status();
    }
    case FieldKind::Number:
    case FieldKind::Colour:
    case FieldKind::Position: {
        const Result<std::int32_t> value =
            ReadStoreInteger(registry, kSettingsKey, field.storedName, field.defaultValue);
        if (value) {
            settings.*field.number = clampToLimits(field, *value);
        }
        return value.status();
    }
    case FieldKind::MultiLineText:
        break;
    }
    return Status::success();
}

Status readPageTexts(const std::string& textStorePath, GallerySettings& settings)
{
    for (const std::string_view name : kPageTextOrder) {
        const FieldInfo& field = settingsField(name);
        Result<std::string> text = LoadText(textStorePath, field.storedName);
        if (!text) {
            return text.status();
        }
        settings.*field.text = std::move(text).value();
    }
    return Status::success();
}

}  // namespace

SettingsLoad LoadGallerySettings(const Registry& registry, const std::string& textStorePath)
{
    SettingsLoad load{GallerySettings::initial(), BannerBanks(textStorePath), std::nullopt};
    GallerySettings& settings = load.settings;
    for (const std::string_view name : kStoredFieldOrder) {
        if (Status read = readField(registry, settingsField(name), settings); !read) {
            load.error = read.message();
            return load;
        }
        if (name == "ThumbsDir") {
            settings.ThumbFolder = deriveThumbFolder(settings.ThumbsDir);
        }
    }

    if (fileExists(textStorePath)) {
        Status read = readPageTexts(textStorePath, settings);
        if (read) {
            read = load.banks.load();
        }
        if (!read) {
            load.error = read.message();
            return load;
        }
    }
    Result<std::string> bannerCode = load.banks.chosenLines();
    if (!bannerCode) {
        load.error = bannerCode.message();
        return load;
    }
    settings.BannerCode = std::move(bannerCode).value();
    return load;
}

}  // namespace pixmosa
