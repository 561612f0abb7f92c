#include "platform/registry_file.h"

#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/registry_document.h"

namespace pixmosa {

namespace {

std::string fullKeyPath(std::string_view key)
{
    return "HKEY_CURRENT_USER\\" + std::string(key);
}

}  // namespace

RegistryFile::RegistryFile(std::string path) : m_path(std::move(path)) {}

std::optional<RegistryValue> RegistryFile::readValue(std::string_view key,
                                                     std::string_view name) const
{
    const Result<std::string> text = readWholeFile(m_path);
    if (!text) {
        return std::nullopt;
    }
    return RegistryDocument::parse(*text).value(fullKeyPath(key), name);
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
    const Result<std::string> text = readWholeDescriptor(lock->descriptor(), m_path);
    if (!text) {
        return text.status();
    }
    RegistryDocument document = RegistryDocument::parse(*text);
    document.setValue(fullKeyPath(key), name, value);
    removeStaleTemporaries(parentDirectory(m_path));
    return writeFileAtomically(m_path, document.serialize(), ExistingFile::Replace);
}

}  // namespace pixmosa
