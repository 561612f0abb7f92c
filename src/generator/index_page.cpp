#include "generator/index_page.h"

#include <algorithm>

#include "common/rounding.h"
#include "generator/generated_files.h"
#include "generator/link_value.h"
#include "generator/page_file.h"
#include "generator/page_frame.h"

namespace pixmosa {

namespace {

constexpr std::string_view kLinkTable =
    "<TABLE BGCOLOR=\"Teal\" BORDER=\"1\" CELLSPACING=\"0\" ALIGN=\"CENTER\">";
constexpr std::string_view kRow = "<TR ALIGN=\"CENTER\">";

// The picked image of gallery page n, which a short last page may not hold: then its last.
const std::string& pageThumbnail(const GalleryContext& context, std::int64_t n,
                                 PageThumbnailDraw& draw)
{
    const std::int64_t cellsPerPage =
        static_cast<std::int64_t>(context.settings.Rows) * context.settings.Cols;
    const std::int64_t picked = n * cellsPerPage - draw.draw(cellsPerPage) - 1;
    const auto last = static_cast<std::int64_t>(context.images.size()) - 1;
    return context.images[static_cast<std::size_t>(std::clamp<std::int64_t>(picked, 0, last))];
}

void writeLinkTable(PageFile& page, const GalleryContext& context, const RunState& state,
                    PageThumbnailDraw& draw)
{
    const GallerySettings& s = context.settings;
    const IndexLayout layout = indexLayout(state.PageCount);
    const bool shortLastRow = state.PageCount % layout.linkCols != 0;
    page.line(kLinkTable);
    page.line(kRow);
    for (std::int64_t n = 1; n <= state.PageCount; ++n) {
        const std::string& entry = pageThumbnail(context, n, draw);
        if (n > 1 && (n - 1) % layout.linkCols == 0) {
            if (shortLastRow && n > (layout.linkRows - 1) * layout.linkCols) {
                page.line("</TR></TABLE>");
                page.line(kLinkTable);
                page.line(kRow);
            }
            page.line("</TR><TR ALIGN=\"CENTER\">");
        }
        page.line("<TD>");
        if (!s.DisablePageLinks) {
            page.line("<A href=\"" + context.galleryPageLink(n) +
                      "\" STYLE=\"text-decoration: none\">");
        }
        page.line("<IMG src=\"" + linkValue(thumbnailSource(s, entry)) +
                  "\" ALIGN=\"MIDDLE\" border=0 HEIGHT=" + std::to_string(layout.linkThumbHeight) +
                  "><BR>");
        page.line("<FONT FACE=\"MS Sans Serif\" size=\"1\">Page " + std::to_string(n) + "</FONT>");
        if (!s.DisablePageLinks) {
            page.line("</a>");
        }
        page.line("</TD>");
    }
    page.line("</TR></TABLE>");
}

}  // namespace

IndexLayout indexLayout(std::int64_t pageCount)
{
    IndexLayout layout;
    layout.linkCols = pageCount <= 20 ? 5 : pageCount <= 30 ? 6 : pageCount <= 42 ? 7 : 8;
    layout.linkRows =
        roundHalfEven(static_cast<double>(pageCount) / static_cast<double>(layout.linkCols) + 0.5);
    layout.linkThumbHeight = layout.linkRows <= 5 ? 50 : layout.linkRows == 6 ? 40 : 35;
    return layout;
}

Status writeIndexPage(const GalleryContext& context, const RunState& state, PageThumbnailDraw& draw,
                      CommandObserver& observer, PageWriter& writer)
{
    const GallerySettings& s = context.settings;
    observer.status("Writing Index Page");
    observer.breathe();
    PageFile page(indexPagePath(s));
    const Result<std::string> footer = writePageStart(
        page, context, {s.IndexTitle, galleryBodyTag(context), s.IndexHeader, s.IndexFooter});
    if (!footer) {
        return footer.status();
    }
    page.line("<DIV ALIGN=\"center\"><FONT FACE=\"Verdana\" SIZE=\"2\">Total Images: " +
              std::to_string(context.images.size()) + "<BR>");
    page.line("Total Pages: " + std::to_string(state.PageCount) + "</FONT></DIV>");
    page.line("<HR WIDTH=\"350\">");
    writeLinkTable(page, context, state, draw);
    page.line("<HR WIDTH=\"350\">");
    writeCreditLine(page, s);
    writePageEnd(page, *footer);
    return page.close(writer);
}

}  // namespace pixmosa
