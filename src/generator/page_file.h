#pragma once

#include <string>
#include <string_view>

#include "common/result.h"

namespace pixmosa {

// A generated page, gathered in memory line by line (each line ends in CR LF) and written in
// one piece when it is closed, so a page is never left half-written on disk.
class PageFile {
public:
    explicit PageFile(std::string path) : m_path(std::move(path)) {}

    void line(std::string_view text);
    // Text whose lines already end in CR LF.
    void lines(std::string_view endedLines) { m_content += endedLines; }
    const std::string& content() const { return m_content; }
    // Fails with "Cannot create file ", the path and the reason.
    Status close();

private:
    std::string m_path;
    std::string m_content;
};

}  // namespace pixmosa
