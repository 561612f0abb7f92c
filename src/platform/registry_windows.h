#pragma once

#include "platform/registry.h"

namespace pixmosa {

// The system's registry, below HKEY_CURRENT_USER (the Windows build only). Keys are opened with
// read and write access for reads too, and created with their missing parents by a write.
class WindowsRegistry final : public Registry {
public:
    std::optional<RegistryValue> readValue(std::string_view key,
                                           std::string_view name) const override;
    Status writeValue(std::string_view key, std::string_view name,
                      const RegistryValue& value) override;
};

}  // namespace pixmosa
