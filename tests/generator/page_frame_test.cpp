#include "generator/page_frame.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

class PageFrameTest : public ::testing::Test {
protected:
    GalleryContext context() const { return {settings, images, banks, storePath, colours}; }

    GallerySettings settings = GallerySettings::initial();
    std::vector<std::string> images;
    std::vector<std::string> banks;
    std::string storePath = "/nonexistent/Pixmosa.dat";
    StandardSystemColours colours;
};

TEST_F(PageFrameTest, GalleryBodyTagCarriesTheFiveGalleryColoursInOrder)
{
    EXPECT_EQ(galleryBodyTag(context()),
              "<BODY BGCOLOR=#000080 TEXT=#00FFFF LINK=#00FF00 VLINK=#FFFF00 ALINK=#FF0000>");
    settings.GalleryBackImage = "paper.gif";
    EXPECT_EQ(galleryBodyTag(context()),
              "<BODY BACKGROUND=\"paper.gif\" BGCOLOR=#000080 TEXT=#00FFFF LINK=#00FF00 "
              "VLINK=#FFFF00 ALINK=#FF0000>");
}

TEST_F(PageFrameTest, DefaultColoursLeaveOnlyTheBackgroundOnEveryPage)
{
    settings.DefaultColors = true;
    settings.GalleryBackImage = "paper.gif";
    for (const bool galleryColours : {true, false}) {
        settings.UseGalleryColors = galleryColours;
        EXPECT_EQ(galleryBodyTag(context()), "<BODY BACKGROUND=\"paper.gif\">");
        EXPECT_EQ(imageBodyTag(context()), "<BODY BACKGROUND=\"paper.gif\">");
    }
    settings.GalleryBackImage.clear();
    EXPECT_EQ(imageBodyTag(context()), "<BODY>");
}

TEST_F(PageFrameTest, ImagePagesUseTheGalleryColoursOrTheirOwnWithoutBackground)
{
    settings.GalleryBackImage = "paper.gif";
    settings.UseGalleryColors = true;
    EXPECT_EQ(imageBodyTag(context()), galleryBodyTag(context()));

    settings.UseGalleryColors = false;
    EXPECT_EQ(imageBodyTag(context()),
              "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000FF VLINK=#800000 ALINK=#FF0000>");
}

TEST_F(PageFrameTest, FrameWrapsHeaderCodeHeaderAndFooterAsOneLineEach)
{
    settings.HeaderCode = "<META A>\r\n<META B>";
    PageFile page("/nonexistent/page.html");

    const Result<std::string> footer =
        writePageStart(page, context(), {"A & <B>", "<BODY>", "head", "foot\r\n"});
    ASSERT_TRUE(footer.ok());
    writePageEnd(page, *footer);

    EXPECT_EQ(page.content(),
              "<HTML>\r\n<HEAD>\r\n"
              "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
              "<TITLE>A & <B></TITLE>\r\n<META A>\r\n<META B>\r\n</HEAD>\r\n"
              "<BODY>\r\nhead\r\nfoot\r\n\r\n</body>\r\n</HTML>\r\n");
}

}  // namespace
}  // namespace pixmosa
