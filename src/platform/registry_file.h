#pragma once

#include <memory>
#include <string>

#include "platform/registry.h"
#include "platform/registry_document.h"

namespace pixmosa {

// The per-user registry kept in one REGEDIT4 text file. Every write locks the file, reads it
// afresh, changes the one value and replaces the file in one step, so two running copies never
// lose each other's values and a crash never leaves half a file. Reads parse the file once and
// parse it again only when it has been replaced or changed since.
class RegistryFile final : public Registry {
public:
    explicit RegistryFile(std::string path);

    std::optional<RegistryValue> readValue(std::string_view key,
                                           std::string_view name) const override;
    Status writeValue(std::string_view key, std::string_view name,
                      const RegistryValue& value) override;

    const std::string& path() const { return m_path; }

private:
    struct Parsed;
    const RegistryDocument* parsedDocument() const;

    std::string m_path;
    mutable std::shared_ptr<const Parsed> m_parsed;
};

}  // namespace pixmosa
