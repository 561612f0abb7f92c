#include "settings/settings_load.h"

#include "platform/file_system.h"
#include "settings/field_store.h"
#include "settings/text_store.h"
#include "settings/thumb_folder.h"

namespace pixmosa {

namespace {

// The page texts, each stored in its own section; the banner bank's lines come with the banks.
bool isPageText(const FieldInfo& field)
{
    return field.kind == FieldKind::MultiLineText && !field.storedName.empty();
}

Status readPageTexts(const std::string& textStorePath, GallerySettings& settings)
{
    for (const FieldInfo& field : settingsFields()) {
        if (!isPageText(field)) {
            continue;
        }
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
    for (const FieldInfo& field : settingsFields()) {
        if (field.kind == FieldKind::MultiLineText) {
            continue;
        }
        if (Status read = readStoredField(registry, field, settings); !read) {
            load.error = read.message();
            return load;
        }
        if (field.id == Field::ThumbsDir) {
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
