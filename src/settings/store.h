#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/result.h"
#include "platform/registry.h"

namespace pixmosa {

// The settings key below HKEY_CURRENT_USER that holds every single-line setting.
inline constexpr std::string_view kSettingsKey = "Software\\Brevant Software\\Pixmosa";

// Writes fail with "Failed to set data for '<name>'", followed by the store's path and the
// platform's reason. Reads give the default when the key or
// the value is missing, and fail with "Invalid data type for '<name>'" for a value of another
// type, or "Failed to get data for '<name>'" for a number that is not four bytes long.
Status WriteStoreString(Registry& registry, std::string_view key, std::string_view name,
                        std::string_view text);
Status WriteStoreInteger(Registry& registry, std::string_view key, std::string_view name,
                         std::int32_t value);
Status WriteStoreBool(Registry& registry, std::string_view key, std::string_view name, bool value);

Result<std::string> ReadStoreString(const Registry& registry, std::string_view key,
                                    std::string_view name, std::string_view defaultText);
Result<std::int32_t> ReadStoreInteger(const Registry& registry, std::string_view key,
                                      std::string_view name, std::int32_t defaultValue);
Result<bool> ReadStoreBool(const Registry& registry, std::string_view key, std::string_view name,
                           bool defaultValue);

}  // namespace pixmosa
