#pragma once

#include <string>
#include <string_view>

namespace pixmosa::test {

// A fresh directory under the system's temporary directory, removed with everything in it.
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
