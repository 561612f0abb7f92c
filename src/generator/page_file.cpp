#include "generator/page_file.h"

#include "platform/file_system.h"

namespace pixmosa {

void PageFile::line(std::string_view text)
{
    m_content += text;
    m_content += "\r\n";
}

Status PageFile::close()
{
    // A page is made anew by every run, so it is not worth waiting for the disk, and one that
    // comes out as it was is not written at all, so upload tools see it unchanged.
    if (Status written = writeFileUnlessSame(m_path, m_content); !written) {
        return Status::failure("Cannot create file " + written.message());
    }
    return Status::success();
}

}  // namespace pixmosa
