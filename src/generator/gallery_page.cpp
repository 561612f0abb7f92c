#include "generator/gallery_page.h"

#include <filesystem>

#include "catalogue/image_paths.h"
#include "common/colour_text.h"
#include "generator/generated_files.h"
#include "generator/image_page.h"
#include "generator/link_value.h"
#include "generator/page_file.h"
#include "generator/page_frame.h"
#include "thumbs/jpeg_header.h"

namespace pixmosa {

namespace {

constexpr std::int64_t kCellsPerBar = 20;

std::string pageBarCell(const GalleryContext& context, std::int64_t n)
{
    return "<TD BGCOLOR=\"aqua\" WIDTH=20>\r\n<A href=\"" + context.galleryPageLink(n) +
           "\" STYLE=\"text-decoration: none\"><FONT Color=\"Fuchsia\"><B><I>" + std::to_string(n) +
           "</I></B></FONT></a></TD>\r\n";
}

void writePageBar(PageFile& page, const GalleryContext& context, const RunState& state)
{
    page.line("<TABLE BORDER=1 ALIGN=\"center\">");
    page.line("<TR ALIGN=\"center\">");
    for (std::int64_t n = 1; n <= state.PageCount; ++n) {
        if (n > 1 && (n - 1) % kCellsPerBar == 0) {
            page.line("</TR></TABLE>");
            page.line("<TABLE BORDER=1 ALIGN=\"center\"><TR ALIGN=\"center\">");
        }
        if (n == state.CurrentPage) {
            page.line("<TD BGCOLOR=\"Fuchsia\" WIDTH=20>");
            page.line("<FONT Color=\"Aqua\"><B><I>" + std::to_string(n) + "</I></B></FONT></TD>");
        } else {
            page.lines(context.pageBarCells[static_cast<std::size_t>(n - 1)]);
        }
    }
    page.line("</TR>");
    page.line("</TABLE>");
}

void writeIndexLink(PageFile& page, const GallerySettings& settings)
{
    page.line("<DIV ALIGN=\"center\"><A HREF=\"" + linkValue(settings.IndexFile) +
              "\">Index Page</A></DIV>");
}

Status writeThumbnailTable(PageFile& page, const GalleryContext& context, RunState& state,
                           PageWriter& writer)
{
    const GallerySettings& s = context.settings;
    const std::string background =
        s.TableBackImage.empty() ? std::string() : " BACKGROUND=\"" + s.TableBackImage + "\"";
    page.line("<TABLE ALIGN=\"CENTER\"" + background + " BORDER=" + std::to_string(s.TableBorder) +
              " CELLSPACING=" + std::to_string(s.CellSpacing) +
              " CELLPADDING=" + std::to_string(s.CellPadding) +
              " BGCOLOR=" + colourText(s.TableBackColor, context.colours) + ">");
    const std::size_t count = context.images.size();
    for (std::int32_t row = 0; row < s.Rows && state.ImageIndex < count; ++row) {
        page.line("<TR>");
        for (std::int32_t cell = 0; cell < s.Cols && state.ImageIndex < count; ++cell) {
            const std::string& entry = context.images[state.ImageIndex];
            const Result<ImageSize> size = thumbnailSize(thumbnailPath(s, entry));
            if (!size) {
                return size.status();
            }
            page.line("<TD ALIGN=\"CENTER\">");
            page.line("<A href=\"" + linkValue(s.UseImageShell ? imagePageName(s, entry) : entry) +
                      "\">");
            page.line("<IMG src=\"" + linkValue(thumbnailSource(s, entry)) +
                      "\" border=0 height=" + std::to_string(size->height) +
                      " width=" + std::to_string(size->width) + "></a>");
            if (s.UseImageShell) {
                if (Status written = writeImagePage(context, state, writer); !written) {
                    return written;
                }
            }
            ++state.ImageIndex;
            page.line("</TD>");
        }
        page.line("</TR>");
    }
    page.line("</TABLE>");
    return Status::success();
}

}  // namespace

void prepareGalleryPages(GalleryContext& context, std::int64_t pageCount)
{
    context.galleryPageLinks.clear();
    context.pageBarCells.clear();
    for (std::int64_t n = 1; n <= pageCount; ++n) {
        context.galleryPageLinks.push_back(linkValue(galleryPageName(context.settings, n)));
    }
    for (std::int64_t n = 1; n <= pageCount; ++n) {
        context.pageBarCells.push_back(pageBarCell(context, n));
    }
}

// A photo too narrow to give one pixel has an empty thumbnail; it stands on the page as 0 x 0
// instead of stopping every later run at its size.
Result<ImageSize> thumbnailSize(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error) &&
        std::filesystem::file_size(path, error) == 0 && !error) {
        return ImageSize{};
    }
    const Result<JpegFrame> frame = readJpegFrame(path);
    if (!frame) {
        return frame.status();
    }
    return frame->upright();
}

Status writeGalleryPage(const GalleryContext& context, RunState& state, PageWriter& writer)
{
    const GallerySettings& s = context.settings;
    PageFile page(galleryPagePath(s, state.CurrentPage));
    const Result<std::string> footer = writePageStart(
        page, context, {s.GalleryTitle, galleryBodyTag(context), s.GalleryHeader, s.GalleryFooter});
    if (!footer) {
        return footer.status();
    }
    writePageBar(page, context, state);
    writeIndexLink(page, s);
    page.line("<P>");
    if (Status table = writeThumbnailTable(page, context, state, writer); !table) {
        return table;
    }
    writeCreditLine(page, s);
    page.line("<P>");
    writePageBar(page, context, state);
    writeIndexLink(page, s);
    writePageEnd(page, *footer);
    return page.close(writer);
}

}  // namespace pixmosa
