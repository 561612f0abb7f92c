#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace pixmosa {

// A registry export file in the REGEDIT4 text format, kept line for line: keys and values it
// does not touch are written back exactly as they were read, whatever they hold.
class RegistryDocument {
public:
    static RegistryDocument parse(std::string_view text);
    std::string serialize() const;

    // Key paths are full paths such as HKEY_CURRENT_USER\Software\Vendor\Program.
    std::optional<RegistryValue> value(std::string_view keyPath, std::string_view name) const;
    void setValue(std::string_view keyPath, std::string_view name, const RegistryValue& value);

    static std::string formatValueLine(std::string_view name, const RegistryValue& value);

private:
    struct Entry {
        std::vector<std::string> lines;   // as read, continuation lines included
        std::optional<std::string> name;  // set on value lines
        RegistryValue value;
    };
    struct Key {
        std::string path;
        std::vector<std::string> headerLines;  // the key line itself
        std::vector<Entry> entries;
    };

    // The last value of that name in any section of the key: the one an import would keep.
    template <typename Document>
    static auto findEntry(Document& document, std::string_view keyPath, std::string_view name)
        -> decltype(&document.m_keys[0].entries[0]);
    static Entry parseEntry(std::vector<std::string> lines);

    std::vector<std::string> m_preamble;  // lines before the first key, header excepted
    std::vector<Key> m_keys;
};

}  // namespace pixmosa
