#include "support/temp_dir.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "common/paths.h"

namespace pixmosa::test {

std::filesystem::path fileSystemPath(std::string_view utf8)
{
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

TempDir::TempDir()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "pixmosa-test-%08x", static_cast<unsigned>(random()));
        const std::filesystem::path candidate = std::filesystem::temp_directory_path() / name;
        if (std::filesystem::create_directory(candidate)) {
            const std::u8string text = candidate.u8string();
            m_path.assign(reinterpret_cast<const char*>(text.data()), text.size());
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(fileSystemPath(m_path), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
#ifdef _WIN32
    // Below it may lie paths longer than 260 characters, removed only in the form without
    // that limit.
    std::filesystem::remove_all(fileSystemPath("\\\\?\\" + m_path), ignored);
#else
    std::filesystem::remove_all(fileSystemPath(m_path), ignored);
#endif
}

std::string nativeSeparators(std::string_view path)
{
    std::string native(path);
    std::replace(native.begin(), native.end(), '/', kPathSeparator);
    return native;
}

std::string TempDir::path(std::string_view name) const
{
    return m_path + kPathSeparator + nativeSeparators(name);
}

void TempDir::write(std::string_view name, std::string_view content) const
{
    std::ofstream file(fileSystemPath(path(name)), std::ios::binary | std::ios::trunc);
    file << content;
}

std::string TempDir::read(std::string_view name) const
{
    std::ifstream file(fileSystemPath(path(name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool TempDir::exists(std::string_view name) const
{
    return std::filesystem::exists(fileSystemPath(path(name)));
}

int TempDir::entryCount() const
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(fileSystemPath(m_path))) {
        ++count;
    }
    return count;
}

}  // namespace pixmosa::test
