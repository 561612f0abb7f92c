#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"

namespace pixmosa {

// The registry's value types, numbered as the registry numbers them.
namespace RegistryType {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t String = 1;
inline constexpr std::uint32_t ExpandString = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t Dword = 4;
// A stored value whose text could not be understood: it reads as a type nobody asks for.
inline constexpr std::uint32_t Unreadable = 0xFFFFFFFF;
}  // namespace RegistryType

struct RegistryValue {
    std::uint32_t type = RegistryType::None;
    std::string data;  // the raw bytes; a text ends with its NUL

    static RegistryValue text(std::string_view text);
    static RegistryValue dword(std::int32_t value);

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// The per-user settings registry (HKEY_CURRENT_USER); keys are paths below it with
// backslashes between their parts, matched without regard to the case of ASCII letters,
// as are value names.
class Registry {
public:
    virtual ~Registry() = default;

    // The value, or nothing when the key or the value does not exist or cannot be read.
    virtual std::optional<RegistryValue> readValue(std::string_view key,
                                                   std::string_view name) const = 0;

    // Sets the value, creating the key and its parents when missing.
    virtual Status writeValue(std::string_view key, std::string_view name,
                              const RegistryValue& value) = 0;
};

}  // namespace pixmosa
