#include "generator/page_frame.h"

#include "common/colour_text.h"
#include "generator/banner_script.h"

namespace pixmosa {

namespace {

std::string backgroundPiece(const std::string& image)
{
    return image.empty() ? std::string() : " BACKGROUND=\"" + image + "\"";
}

std::string colourAttributes(const GalleryContext& context, std::int32_t back, std::int32_t fore,
                             std::int32_t link, std::int32_t visited, std::int32_t active)
{
    const auto text = [&context](std::int32_t colour) {
        return colourText(colour, context.colours);
    };
    return " BGCOLOR=" + text(back) + " TEXT=" + text(fore) + " LINK=" + text(link) +
           " VLINK=" + text(visited) + " ALINK=" + text(active);
}

}  // namespace

std::string galleryBodyTag(const GalleryContext& context)
{
    const GallerySettings& s = context.settings;
    std::string tag = "<BODY" + backgroundPiece(s.GalleryBackImage);
    if (!s.DefaultColors) {
        tag += colourAttributes(context, s.GalleryBackColor, s.GalleryForeColor, s.GalleryLinkColor,
                                s.GalleryVisitedLinkColor, s.GalleryActiveLinkColor);
    }
    return tag + ">";
}

std::string imageBodyTag(const GalleryContext& context)
{
    const GallerySettings& s = context.settings;
    if (s.DefaultColors || s.UseGalleryColors) {
        return galleryBodyTag(context);
    }
    return "<BODY" +
           colourAttributes(context, s.ImageBackColor, s.ImageForeColor, s.ImageLinkColor,
                            s.ImageVisitedLinkColor, s.ImageActiveLinkColor) +
           ">";
}

void writeCreditLine(PageFile& page, const GallerySettings& settings)
{
    if (settings.DisableBanner) {
        return;
    }
    page.line(
        "<DIV ALIGN=\"center\"><FONT SIZE=2><I>Gallery created with </I></FONT><A HREF=\"" +
        std::string(kHomePage) +
        "\" onMouseOver=\"window.status='Pixmosa HomePage'; return true\" "
        "STYLE=\"background-color: Maroon; color: Yellow; font-family: cursive; font-weight: "
        "bold; font-style: italic; text-align: center; text-decoration: none;\" TITLE=\"Pixmosa "
        "HomePage\">&nbsp;Pixmosa&nbsp;</A></DIV>");
}

Result<std::string> writePageStart(PageFile& page, const GalleryContext& context,
                                   const PageTexts& texts)
{
    page.line("<HTML>");
    page.line("<HEAD>");
    page.line("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">");
    page.line("<TITLE>" + std::string(texts.title) + "</TITLE>");
    page.line(context.settings.HeaderCode);
    page.line("</HEAD>");
    page.line(texts.bodyTag);
    BannerTags tags =
        replaceBannerTags(std::string(texts.header), std::string(texts.footer), context.bankNames);
    const Result<std::vector<std::string>> scripts =
        bannerScripts(tags.banks, context.bankNames, context.textStorePath);
    if (!scripts) {
        return scripts.status();
    }
    for (const std::string& line : *scripts) {
        page.line(line);
    }
    page.line(tags.header);
    return std::move(tags.footer);
}

void writePageEnd(PageFile& page, std::string_view footer)
{
    page.line(footer);
    page.line("</body>");
    page.line("</HTML>");
}

}  // namespace pixmosa
