#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace pixmosa::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pixmosa-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::path(std::string_view name) const
{
    return m_path + "/" + std::string(name);
}

void TempDir::write(std::string_view name, std::string_view content) const
{
    std::ofstream file(path(name), std::ios::binary | std::ios::trunc);
    file << content;
}

std::string TempDir::read(std::string_view name) const
{
    std::ifstream file(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool TempDir::exists(std::string_view name) const
{
    return std::filesystem::exists(path(name));
}

int TempDir::entryCount() const
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_path)) {
        ++count;
    }
    return count;
}

}  // namespace pixmosa::test
