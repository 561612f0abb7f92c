#include "generator/page_file.h"

#include <utility>

namespace pixmosa {

void PageFile::line(std::string_view text)
{
    m_content += text;
    m_content += "\r\n";
}

Status PageFile::close(PageWriter& writer)
{
    return writer.write(std::move(m_path), std::move(m_content));
}

}  // namespace pixmosa
