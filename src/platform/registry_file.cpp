#include "platform/registry_file.h"

#include "platform/file_lock.h"
#include "platform/file_system.h"

namespace pixmosa {

namespace {

std::string fullKeyPath(std::string_view key)
{
    return "HKEY_CURRENT_USER\\" + std::string(key);
}

}  // namespace

struct RegistryFile::Parsed {
    FileVersion version;
    RegistryDocument document;
};

RegistryFile::RegistryFile(std::string path) : m_path(std::move(path)) {}

const RegistryDocument* RegistryFile::parsedDocument() const
{
    // The version is taken before the text: a file replaced in between is parsed again at the
    // next read, never kept stale.
    const std::optional<FileVersion> version = fileVersion(m_path);
    if (m_parsed && version && m_parsed->version == *version) {
        return &m_parsed->document;
    }
    m_parsed.reset();
    const Result<std::string> text = version ? readWholeFile(m_path) : std::string();
    if (!version || !text) {
        return nullptr;
    }
    m_parsed = std::make_shared<const Parsed>(Parsed{*version, RegistryDocument::parse(*text)});
    return &m_parsed->document;
}

std::optional<RegistryValue> RegistryFile::readValue(std::string_view key,
                                                     std::string_view name) const
{
    const RegistryDocument* parsed = parsedDocument();
    if (parsed == nullptr) {
        return std::nullopt;
    }
    return parsed->value(fullKeyPath(key), name);
}

Status RegistryFile::writeValue(std::string_view key, std::string_view name,
                                const RegistryValue& value)
{
    if (Status made = makeDirectories(parentDirectory(m_path)); !made) {
        return made;
    }
    const Result<FileLock> lock = FileLock::acquire(m_path, FileLock::Missing::Create);
    if (!lock) {
        return lock.status();
    }
    const Result<std::string> text = lock->readAll();
    if (!text) {
        return text.status();
    }
    RegistryDocument document = RegistryDocument::parse(*text);
    document.setValue(fullKeyPath(key), name, value);
    removeStaleTemporaries(parentDirectory(m_path));
    return writeFileAtomically(m_path, document.serialize(), ExistingFile::Replace,
                               Durability::Flush, LinkAtPath::Follow);
}

}  // namespace pixmosa
