#include "settings/store.h"

#include "common/text.h"

namespace pixmosa {

namespace {

constexpr std::string_view kInvalidDataType = "Invalid data type for '%s'";
constexpr std::string_view kFailedToGetData = "Failed to get data for '%s'";
constexpr std::string_view kFailedToSetData = "Failed to set data for '%s'";

Status write(Registry& registry, std::string_view key, std::string_view name,
             const RegistryValue& value)
{
    // The behaviour's text comes first; where and why follow, as the platform tells them.
    if (Status written = registry.writeValue(key, name, value); !written) {
        return Status::failure(formatWithName(kFailedToSetData, name) + ": " + written.message());
    }
    return Status::success();
}

}  // namespace

Status WriteStoreString(Registry& registry, std::string_view key, std::string_view name,
                        std::string_view text)
{
    return write(registry, key, name, RegistryValue::text(text));
}

Status WriteStoreInteger(Registry& registry, std::string_view key, std::string_view name,
                         std::int32_t value)
{
    return write(registry, key, name, RegistryValue::dword(value));
}

Status WriteStoreBool(Registry& registry, std::string_view key, std::string_view name, bool value)
{
    return WriteStoreInteger(registry, key, name, value ? 1 : 0);
}

Result<std::string> ReadStoreString(const Registry& registry, std::string_view key,
                                    std::string_view name, std::string_view defaultText)
{
    const std::optional<RegistryValue> value = registry.readValue(key, name);
    if (!value) {
        return std::string(defaultText);
    }
    if (value->type != RegistryType::String && value->type != RegistryType::ExpandString) {
        return Result<std::string>::failure(formatWithName(kInvalidDataType, name));
    }
    // A text ends at its first NUL; a value with no data is the empty text.
    return value->data.substr(0, value->data.find('\0'));
}

Result<std::int32_t> ReadStoreInteger(const Registry& registry, std::string_view key,
                                      std::string_view name, std::int32_t defaultValue)
{
    const std::optional<RegistryValue> value = registry.readValue(key, name);
    if (!value) {
        return defaultValue;
    }
    // More data than a number holds does not fit the reader's four bytes, whatever its type.
    if (value->data.size() > 4) {
        return Result<std::int32_t>::failure(formatWithName(kFailedToGetData, name));
    }
    if (value->type != RegistryType::Dword) {
        return Result<std::int32_t>::failure(formatWithName(kInvalidDataType, name));
    }
    if (value->data.size() != 4) {
        return Result<std::int32_t>::failure(formatWithName(kFailedToGetData, name));
    }
    std::uint32_t bits = 0;
    for (std::size_t i = 4; i > 0; --i) {
        bits = (bits << 8) | static_cast<unsigned char>(value->data[i - 1]);
    }
    return static_cast<std::int32_t>(bits);
}

Result<bool> ReadStoreBool(const Registry& registry, std::string_view key, std::string_view name,
                           bool defaultValue)
{
    const Result<std::int32_t> number = ReadStoreInteger(registry, key, name, defaultValue ? 1 : 0);
    if (!number) {
        return number.status();
    }
    return *number != 0;
}

}  // namespace pixmosa
