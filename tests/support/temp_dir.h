#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pixmosa::test {

// A UTF-8 path as the standard library's file functions take it on every platform.
std::filesystem::path fileSystemPath(std::string_view utf8);

// A path written with "/" between its parts, as the platform writes it.
std::string nativeSeparators(std::string_view path);

// A fresh directory under the system's temporary directory, removed with everything in it.
// Names below it may use "/" between their parts; path() gives the platform's separator.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::string& path() const { return m_path; }
    std::string path(std::string_view name) const;

    void write(std::string_view name, std::string_view content) const;
    std::string read(std::string_view name) const;
    bool exists(std::string_view name) const;
    // How many entries the directory holds, so tests can tell that nothing was left behind.
    int entryCount() const;

private:
    std::string m_path;
};

}  // namespace pixmosa::test
