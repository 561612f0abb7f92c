#pragma once

#include <string>
#include <string_view>

#include "common/result.h"
#include "generator/page_writer.h"

namespace pixmosa {

// A generated page, gathered in memory line by line (each line ends in CR LF) and handed to the
// run's writer in one piece when it is closed, so a page is never left half-written on disk.
class PageFile {
public:
    explicit PageFile(std::string path) : m_path(std::move(path)) {}

    void line(std::string_view text);
    // Text whose lines already end in CR LF.
    void lines(std::string_view endedLines) { m_content += endedLines; }
    const std::string& content() const { return m_content; }
    // Fails with the error of a page closed earlier that could not be written.
    Status close(PageWriter& writer);

private:
    std::string m_path;
    std::string m_content;
};

}  // namespace pixmosa
