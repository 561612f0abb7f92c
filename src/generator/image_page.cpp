#include "generator/image_page.h"

#include "catalogue/image_paths.h"
#include "generator/generated_files.h"
#include "generator/link_value.h"
#include "generator/page_file.h"
#include "generator/page_frame.h"
#include "thumbs/jpeg_header.h"

namespace pixmosa {

namespace {

// `link` is the target as the link writes it.
std::string navigationCell(std::string_view width, const std::string& link,
                           std::string_view caption)
{
    return "<TD WIDTH=\"" + std::string(width) + "\"><A HREF=\"" + link +
           "\" STYLE=\"text-decoration: none\"><FONT FACE=\"Arial\" COLOR=\"Navy\"><B><I>" +
           std::string(caption) + "</I></B></FONT></A></TD>";
}

void writeNavigationBar(PageFile& page, const GalleryContext& context, const RunState& state)
{
    const GallerySettings& s = context.settings;
    const std::size_t index = state.ImageIndex;
    page.line(
        "<TABLE ALIGN=\"CENTER\" BORDER=\"5\" CELLSPACING=\"0\" CELLPADDING=\"10\" "
        "BGCOLOR=\"Silver\"><TR ALIGN=\"CENTER\">");
    if (index > 0) {
        page.line(navigationCell("100", linkValue(imagePageName(s, context.images[index - 1])),
                                 "Previous"));
    }
    page.line(navigationCell("150", context.galleryPageLink(state.CurrentPage), "Back to gallery"));
    if (index + 1 < context.images.size()) {
        page.line(
            navigationCell("100", linkValue(imagePageName(s, context.images[index + 1])), "Next"));
    }
    page.line("</TR></TABLE>");
}

}  // namespace

Status writeImagePage(const GalleryContext& context, const RunState& state, PageWriter& writer)
{
    const GallerySettings& s = context.settings;
    const std::string& entry = context.images[state.ImageIndex];
    PageFile page(imagePagePath(s, entry));
    const Result<std::string> footer = writePageStart(
        page, context, {s.ImageTitle, imageBodyTag(context), s.ImageHeader, s.ImageFooter});
    if (!footer) {
        return footer.status();
    }
    page.line("<P>");
    // File names are case-sensitive here, so the image is named as the list holds it. A photo
    // taken with the camera held upright is shown upright, so its sides are exchanged here too.
    const Result<JpegFrame> frame = readJpegFrame(imagePath(s, entry));
    if (!frame) {
        return frame.status();
    }
    const ImageSize size = frame->upright();
    writeNavigationBar(page, context, state);
    page.line("<P>");
    page.line(
        "<TABLE ALIGN=\"CENTER\" BORDER=\"5\" CELLSPACING=\"0\" CELLPADDING=\"0\" "
        "BGCOLOR=\"Silver\"><TR ALIGN=\"CENTER\">");
    page.line("<TD>");
    page.line("<IMG src=\"" + linkValue(entry) + "\" border=0 HEIGHT=" +
              std::to_string(size.height) + " WIDTH=" + std::to_string(size.width) + ">");
    page.line("</TD>");
    page.line("</TR></TABLE>");
    writeCreditLine(page, s);
    page.line("<P>");
    writeNavigationBar(page, context, state);
    page.line("<P>");
    writePageEnd(page, *footer);
    return page.close(writer);
}

}  // namespace pixmosa
