#include "settings/field_store.h"

#include "settings/number_field.h"
#include "settings/store.h"

namespace pixmosa {

Status readStoredField(const Registry& registry, const FieldInfo& field, GallerySettings& settings)
{
    if (field.text != nullptr) {
        Result<std::string> text =
            ReadStoreString(registry, kSettingsKey, field.storedName, field.defaultText);
        if (text) {
            settings.*field.text = std::move(text).value();
        }
        return text.status();
    }
    if (field.flag != nullptr) {
        const Result<bool> on =
            ReadStoreBool(registry, kSettingsKey, field.storedName, field.defaultValue != 0);
        if (on) {
            settings.*field.flag = *on;
        }
        return on.status();
    }
    const Result<std::int32_t> value =
        ReadStoreInteger(registry, kSettingsKey, field.storedName, field.defaultValue);
    if (value) {
        settings.*field.number = clampToLimits(field, *value);
    }
    return value.status();
}

Status writeStoredField(Registry& registry, const FieldInfo& field, const GallerySettings& settings)
{
    if (field.text != nullptr) {
        return WriteStoreString(registry, kSettingsKey, field.storedName, settings.*field.text);
    }
    if (field.flag != nullptr) {
        return WriteStoreBool(registry, kSettingsKey, field.storedName, settings.*field.flag);
    }
    return WriteStoreInteger(registry, kSettingsKey, field.storedName, settings.*field.number);
}

std::string fieldValueText(const FieldInfo& field, const GallerySettings& settings)
{
    if (field.text != nullptr) {
        return settings.*field.text;
    }
    if (field.flag != nullptr) {
        return settings.*field.flag ? "1" : "0";
    }
    return std::to_string(settings.*field.number);
}

}  // namespace pixmosa
