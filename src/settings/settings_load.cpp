#include "settings/settings_load.h"

#include <array>

#include "platform/file_system.h"
#include "settings/field_store.h"
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
        if (Status read = readStoredField(registry, settingsField(name), settings); !read) {
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
