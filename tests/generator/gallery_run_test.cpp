#include "generator/gallery_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <initializer_list>

#include "catalogue/image_paths.h"
#include "common/paths.h"
#include "generator/generated_files.h"
#include "platform/file_system.h"
#include "settings/text_store.h"
#include "settings/thumb_folder.h"
#include "support/file_setup.h"
#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

constexpr std::string_view kCredit =
    "<DIV ALIGN=\"center\"><FONT SIZE=2><I>Gallery created with </I></FONT><A "
    "HREF=\"https://pixmosa.org/\" onMouseOver=\"window.status='Pixmosa HomePage'; return "
    "true\" STYLE=\"background-color: Maroon; color: Yellow; font-family: cursive; "
    "font-weight: bold; font-style: italic; text-align: center; text-decoration: none;\" "
    "TITLE=\"Pixmosa HomePage\">&nbsp;Pixmosa&nbsp;</A></DIV>";
constexpr std::string_view kEncoding =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">";
constexpr std::string_view kGalleryBody =
    "<BODY BGCOLOR=#000080 TEXT=#00FFFF LINK=#00FF00 VLINK=#FFFF00 ALINK=#FF0000>";

// Every line followed by CR LF, as pages are written.
std::string page(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

class RecordingGalleryObserver final : public GalleryObserver {
public:
    void leftOut(std::string_view error) override { leftOutErrors.emplace_back(error); }
    void status(std::string_view text) override { events.emplace_back(text); }
    void progress(std::size_t, std::size_t) override {}
    void breathe() override {}
    void beep() override { events.emplace_back("beep"); }
    void message(std::string_view text) override
    {
        events.push_back("message: " + std::string(text));
    }
    void openPage(const std::string& path) override { events.push_back("open " + path); }

    Names events;
    Names leftOutErrors;
};

// Draws the same number every time, as draws within one clock tick do.
class FixedDraw final : public PageThumbnailDraw {
public:
    explicit FixedDraw(std::int64_t value) : m_value(value) {}
    std::int64_t draw(std::int64_t) override { return m_value; }

private:
    std::int64_t m_value;
};

class GalleryRunTest : public ::testing::Test {
protected:
    GalleryRunTest()
    {
        test::makeDirectory(dir.path("pics"));
        GallerySettings& s = inputs.settings;
        s.ImageDir = dir.path("pics");
        s.ThumbSize = 10;
        s.CellPadding = 20;
        s.IndexFile = "index.html";
        s.ImageTitle = "Picture Gallery";
        inputs.textStorePath = dir.path("Pixmosa.dat");
    }

    // Images of 40 x 30 pixels, whose thumbnails at size 10 are 10 x 8.
    void addImages(const Names& names)
    {
        const std::string jpeg = test::encodeJpeg(test::patternImage(40, 30));
        for (const std::string& name : names) {
            dir.write("pics/" + name, jpeg);
            inputs.images.push_back(name);
        }
    }

    void addNumberedImages(int count)
    {
        Names names;
        for (int i = 1; i <= count; ++i) {
            names.push_back(std::string("p").append(std::to_string(i)).append(".jpg"));
        }
        addImages(names);
    }

    void setThumbsDir(const std::string& thumbsDir)
    {
        inputs.settings.ThumbsDir = thumbsDir;
        inputs.settings.ThumbFolder = deriveThumbFolder(thumbsDir);
    }

    Result<CommandEnd> run()
    {
        return RunGallery(test::lockedFolder(inputs.settings.ImageDir), inputs, observer, draw,
                          colours);
    }

    void runAndExpectSuccess()
    {
        const Result<CommandEnd> end = run();
        ASSERT_TRUE(end.ok()) << end.message();
        ASSERT_EQ(*end, CommandEnd::Finished);
    }

    std::string read(const std::string& name) const { return dir.read("pics/" + name); }
    bool exists(const std::string& name) const { return dir.exists("pics/" + name); }

    // The lines of a page from the first that starts with `from` to the next that starts with
    // `to`, both included.
    Names section(const std::string& name, std::string_view from, std::string_view to) const
    {
        Names lines;
        const std::string text = read(name);
        bool inside = false;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find("\r\n", start);
            const std::string line = text.substr(start, end - start);
            start = end + 2;
            inside = inside || line.rfind(from, 0) == 0;
            if (inside) {
                lines.push_back(line);
                if (lines.size() > 1 && line.rfind(to, 0) == 0) {
                    break;
                }
            }
        }
        return lines;
    }

    TempDir dir;
    GalleryInputs inputs{GallerySettings::initial(), {}, {}, {}};
    RecordingGalleryObserver observer;
    FixedDraw draw{0};
    StandardSystemColours colours;
};

TEST_F(GalleryRunTest, OneImageMakesAWholeGallery)
{
    addImages({"Tree.jpg"});

    runAndExpectSuccess();

    const std::string galleryHeader =
        "<DIV ALIGN=\"center\"><P>\r\n<B><I><FONT SIZE=\"+3\">Picture Gallery</FONT></I></B>\r\n"
        "</DIV>";
    const std::string bar = std::string("<TABLE BORDER=1 ALIGN=\"center\">\r\n") +
                            "<TR ALIGN=\"center\">\r\n<TD BGCOLOR=\"Fuchsia\" WIDTH=20>\r\n" +
                            "<FONT Color=\"Aqua\"><B><I>1</I></B></FONT></TD>\r\n</TR>\r\n" +
                            "</TABLE>";
    EXPECT_EQ(read("Gallery1.html"),
              page({"<HTML>",
                    "<HEAD>",
                    kEncoding,
                    "<TITLE>Picture Gallery</TITLE>",
                    "",
                    "</HEAD>",
                    kGalleryBody,
                    galleryHeader,
                    bar,
                    "<DIV ALIGN=\"center\"><A HREF=\"index.html\">Index Page</A></DIV>",
                    "<P>",
                    "<TABLE ALIGN=\"CENTER\" BORDER=5 CELLSPACING=0 CELLPADDING=20 "
                    "BGCOLOR=#C0C0C0>",
                    "<TR>",
                    "<TD ALIGN=\"CENTER\">",
                    "<A href=\"Tree.html\">",
                    "<IMG src=\"Thumbs/Thumb-Tree.jpg\" border=0 height=8 width=10></a>",
                    "</TD>",
                    "</TR>",
                    "</TABLE>",
                    kCredit,
                    "<P>",
                    bar,
                    "<DIV ALIGN=\"center\"><A HREF=\"index.html\">Index Page</A></DIV>",
                    "",
                    "</body>",
                    "</HTML>"}));

    const std::string navigation =
        "<TABLE ALIGN=\"CENTER\" BORDER=\"5\" CELLSPACING=\"0\" CELLPADDING=\"10\" "
        "BGCOLOR=\"Silver\"><TR ALIGN=\"CENTER\">\r\n"
        "<TD WIDTH=\"150\"><A HREF=\"Gallery1.html\" STYLE=\"text-decoration: none\"><FONT "
        "FACE=\"Arial\" COLOR=\"Navy\"><B><I>Back to gallery</I></B></FONT></A></TD>\r\n"
        "</TR></TABLE>";
    EXPECT_EQ(read("Tree.html"),
              page({"<HTML>",
                    "<HEAD>",
                    kEncoding,
                    "<TITLE>Picture Gallery</TITLE>",
                    "",
                    "</HEAD>",
                    kGalleryBody,
                    galleryHeader,
                    "<P>",
                    navigation,
                    "<P>",
                    "<TABLE ALIGN=\"CENTER\" BORDER=\"5\" CELLSPACING=\"0\" CELLPADDING=\"0\" "
                    "BGCOLOR=\"Silver\"><TR ALIGN=\"CENTER\">",
                    "<TD>",
                    "<IMG src=\"Tree.jpg\" border=0 HEIGHT=30 WIDTH=40>",
                    "</TD>",
                    "</TR></TABLE>",
                    kCredit,
                    "<P>",
                    navigation,
                    "<P>",
                    "",
                    "</body>",
                    "</HTML>"}));

    EXPECT_EQ(
        read("index.html"),
        page({"<HTML>",
              "<HEAD>",
              kEncoding,
              "<TITLE>Picture Gallery Index</TITLE>",
              "",
              "</HEAD>",
              kGalleryBody,
              "<DIV ALIGN=\"center\"><P>\r\n<B><I><FONT SIZE=\"+3\">Picture Gallery "
              "Index</FONT></I></B>\r\n</DIV>",
              "<DIV ALIGN=\"center\"><FONT FACE=\"Verdana\" SIZE=\"2\">Total Images: 1<BR>",
              "Total Pages: 1</FONT></DIV>",
              "<HR WIDTH=\"350\">",
              "<TABLE BGCOLOR=\"Teal\" BORDER=\"1\" CELLSPACING=\"0\" ALIGN=\"CENTER\">",
              "<TR ALIGN=\"CENTER\">",
              "<TD>",
              "<A href=\"Gallery1.html\" STYLE=\"text-decoration: none\">",
              "<IMG src=\"Thumbs/Thumb-Tree.jpg\" ALIGN=\"MIDDLE\" border=0 HEIGHT=50><BR>",
              "<FONT FACE=\"MS Sans Serif\" size=\"1\">Page 1</FONT>",
              "</a>",
              "</TD>",
              "</TR></TABLE>",
              "<HR WIDTH=\"350\">",
              kCredit,
              "<P>\r\n<DIV ALIGN=\"center\">\r\n<B><I><FONT SIZE=\"+3\">\r\nClick here to enter "
              "Gallery\r\n</FONT></I></B>\r\n</DIV>\r\n<P>",
              "</body>",
              "</HTML>"}));

    EXPECT_EQ(observer.events,
              (Names{"Creating thumbnail 1 of 1", "Writing page 1 of 1", "Writing Index Page",
                     "open " + dir.path("pics/index.html"), "Finished", "beep"}));
}

TEST_F(GalleryRunTest, LastRowEndsAfterTheLastImage)
{
    addNumberedImages(7);

    runAndExpectSuccess();

    const Names table = section("Gallery1.html", "<TABLE ALIGN=\"CENTER\"", "</TABLE>");
    EXPECT_EQ(std::count(table.begin(), table.end(), "<TR>"), 2);
    EXPECT_EQ(std::count(table.begin(), table.end(), "<TD ALIGN=\"CENTER\">"), 7);
    ASSERT_GE(table.size(), 3u);
    EXPECT_EQ(table[table.size() - 3], "</TD>");
    EXPECT_EQ(table[table.size() - 2], "</TR>");
    EXPECT_FALSE(exists("Gallery2.html"));
}

TEST_F(GalleryRunTest, TenImagesFillOnePageAndTheEleventhStartsAnother)
{
    addNumberedImages(11);

    runAndExpectSuccess();

    const Names first = section("Gallery1.html", "<TABLE ALIGN=\"CENTER\"", "</TABLE>");
    const Names second = section("Gallery2.html", "<TABLE ALIGN=\"CENTER\"", "</TABLE>");
    EXPECT_EQ(std::count(first.begin(), first.end(), "<TD ALIGN=\"CENTER\">"), 10);
    EXPECT_EQ(second, (Names{second[0], "<TR>", "<TD ALIGN=\"CENTER\">", "<A href=\"p11.html\">",
                             "<IMG src=\"Thumbs/Thumb-p11.jpg\" border=0 height=8 width=10></a>",
                             "</TD>", "</TR>", "</TABLE>"}));
    EXPECT_NE(read("p10.html").find("<A HREF=\"p11.html\""), std::string::npos);
    EXPECT_NE(read("p11.html").find("<A HREF=\"Gallery2.html\""), std::string::npos);
    EXPECT_EQ(read("p11.html").find(">Next<"), std::string::npos);
    EXPECT_EQ(read("p1.html").find(">Previous<"), std::string::npos);
}

TEST_F(GalleryRunTest, PageBarHoldsTwentyCellsToATable)
{
    inputs.settings.Rows = 1;
    inputs.settings.Cols = 1;
    addNumberedImages(25);

    runAndExpectSuccess();

    const Names bar = section("Gallery21.html", "<TABLE BORDER=1", "</TABLE>");
    const auto split = std::find(bar.begin(), bar.end(), "</TR></TABLE>");
    ASSERT_NE(split, bar.end());
    EXPECT_EQ(std::count(bar.begin(), split, "<TD BGCOLOR=\"aqua\" WIDTH=20>"), 20);
    EXPECT_EQ(*(split + 1), "<TABLE BORDER=1 ALIGN=\"center\"><TR ALIGN=\"center\">");
    EXPECT_EQ(*(split + 2), "<TD BGCOLOR=\"Fuchsia\" WIDTH=20>");
    EXPECT_EQ(*(split + 3), "<FONT Color=\"Aqua\"><B><I>21</I></B></FONT></TD>");
    EXPECT_EQ(std::count(split, bar.end(), "<TD BGCOLOR=\"aqua\" WIDTH=20>"), 4);
    EXPECT_EQ(bar.back(), "</TABLE>");
}

TEST_F(GalleryRunTest, ShortLastRowOfPageLinksStandsInATableOfItsOwn)
{
    inputs.settings.Rows = 1;
    inputs.settings.Cols = 1;
    addNumberedImages(21);

    runAndExpectSuccess();

    const Names table = section("index.html", "<TABLE BGCOLOR", "</TR></TABLE>");
    const Names whole = section("index.html", "<TABLE BGCOLOR", "<HR");
    const auto rowBreaks = std::count(whole.begin(), whole.end(), "</TR><TR ALIGN=\"CENTER\">");
    EXPECT_EQ(rowBreaks, 3);
    EXPECT_EQ(std::count(table.begin(), table.end(), "<TD>"), 18);
    EXPECT_EQ(table.back(), "</TR></TABLE>");
    const auto second = std::find(whole.begin() + 1, whole.end(),
                                  "<TABLE BGCOLOR=\"Teal\" BORDER=\"1\" CELLSPACING=\"0\" "
                                  "ALIGN=\"CENTER\">");
    ASSERT_NE(second, whole.end());
    EXPECT_EQ(*(second + 1), "<TR ALIGN=\"CENTER\">");
    EXPECT_EQ(*(second + 2), "</TR><TR ALIGN=\"CENTER\">");
    EXPECT_EQ(std::count(second, whole.end(), "<TD>"), 3);
    EXPECT_NE(read("index.html").find("HEIGHT=50><BR>"), std::string::npos);
}

TEST_F(GalleryRunTest, IndexThumbnailOfAShortLastPageIsItsLastImage)
{
    addNumberedImages(13);

    runAndExpectSuccess();

    const Names cells = section("index.html", "<TD>", "</TR></TABLE>");
    EXPECT_NE(
        std::find(cells.begin(), cells.end(),
                  "<IMG src=\"Thumbs/Thumb-p10.jpg\" ALIGN=\"MIDDLE\" border=0 HEIGHT=50><BR>"),
        cells.end());
    EXPECT_NE(
        std::find(cells.begin(), cells.end(),
                  "<IMG src=\"Thumbs/Thumb-p13.jpg\" ALIGN=\"MIDDLE\" border=0 HEIGHT=50><BR>"),
        cells.end());
}

TEST_F(GalleryRunTest, IndexThumbnailIsDrawnFromItsOwnPage)
{
    draw = FixedDraw(9);
    addNumberedImages(20);

    runAndExpectSuccess();

    EXPECT_NE(read("index.html").find("<IMG src=\"Thumbs/Thumb-p1.jpg\""), std::string::npos);
    EXPECT_NE(read("index.html").find("<IMG src=\"Thumbs/Thumb-p11.jpg\""), std::string::npos);
}

TEST_F(GalleryRunTest, WithoutTheImageShellThumbnailsLinkToThePictures)
{
    inputs.settings.UseImageShell = false;
    addImages({"My Photo.jpg"});

    runAndExpectSuccess();

    EXPECT_NE(read("Gallery1.html").find("<A href=\"My%20Photo.jpg\">\r\n"), std::string::npos);
    EXPECT_FALSE(exists("My Photo.html"));
}

TEST_F(GalleryRunTest, ImagePagesKeepBlanksInTheirNamesAndDropTheExtensionWhateverItsCase)
{
    addImages({"My Photo.jpg", "Tree.JPG"});

    runAndExpectSuccess();

    EXPECT_NE(read("Gallery1.html").find("<A href=\"My%20Photo.html\">\r\n"), std::string::npos);
    EXPECT_TRUE(exists("My Photo.html"));
    EXPECT_NE(read("Gallery1.html").find("<A href=\"Tree.html\">\r\n"), std::string::npos);
    // The picture is named as it is stored: file names are case-sensitive here.
    EXPECT_NE(read("Tree.html").find("<IMG src=\"Tree.JPG\" border=0 HEIGHT=30 WIDTH=40>\r\n"),
              std::string::npos);
    EXPECT_NE(read("Tree.html").find("<A HREF=\"My%20Photo.html\""), std::string::npos);
}

#ifndef _WIN32
// Windows names cannot hold ? : < > or ", so this runs where they can.
TEST_F(GalleryRunTest, LinksAndSourcesEncodeTheBytesThatWouldBreakThem)
{
    addImages({"Photo#1.jpg", "Say \"Hi\".jpg", "Caf\xC3\xA9 50%.jpg"});
    setThumbsDir("Sm\xC3\xA1ll?\\th");
    inputs.settings.ThumbPrefix = "t&";
    inputs.settings.GalleryPrefix = "G:";
    inputs.settings.PageExt = "h#tml";
    inputs.settings.IndexFile = "in<dex>.html";
    inputs.settings.TableBackImage = "a b#.gif";

    runAndExpectSuccess();

    EXPECT_TRUE(exists("Sm\xC3\xA1ll?/th/t&Photo#1.jpg"));
    const std::string gallery = read("G:1.h#tml");
    for (const char* piece :
         {"<A href=\"Photo%231.h%23tml\">\r\n<IMG src=\"Sm%C3%A1ll%3F/th/t%26Photo%231.jpg\" ",
          "<A href=\"Say%20%22Hi%22.h%23tml\">\r\n", "<A href=\"Caf%C3%A9%2050%25.h%23tml\">\r\n",
          "<DIV ALIGN=\"center\"><A HREF=\"in%3Cdex%3E.html\">Index Page</A></DIV>",
          " BACKGROUND=\"a b#.gif\" "}) {
        EXPECT_NE(gallery.find(piece), std::string::npos) << piece;
    }
    const std::string image = read("Say \"Hi\".h#tml");
    for (const char* piece :
         {"<A HREF=\"Photo%231.h%23tml\"", "<A HREF=\"G%3A1.h%23tml\"",
          "<A HREF=\"Caf%C3%A9%2050%25.h%23tml\"", "<IMG src=\"Say%20%22Hi%22.jpg\" border=0 "}) {
        EXPECT_NE(image.find(piece), std::string::npos) << piece;
    }
    const std::string index = read("in<dex>.html");
    EXPECT_NE(index.find("<A href=\"G%3A1.h%23tml\" STYLE"), std::string::npos);
    EXPECT_NE(index.find("<IMG src=\"Sm%C3%A1ll%3F/th/t%26"), std::string::npos);
}
#endif

TEST_F(GalleryRunTest, TurnedPhotosAreSizedUprightOnTheirPages)
{
    dir.write("pics/portrait.jpg", test::encodeJpegWithOrientation(test::patternImage(40, 30), 8));
    dir.write("pics/mirrored.jpg", test::encodeJpegWithOrientation(test::patternImage(40, 30), 2));
    inputs.images = {"portrait.jpg", "mirrored.jpg"};

    runAndExpectSuccess();

    EXPECT_NE(read("portrait.html").find("<IMG src=\"portrait.jpg\" border=0 HEIGHT=40 WIDTH=30>"),
              std::string::npos);
    EXPECT_NE(read("mirrored.html").find("<IMG src=\"mirrored.jpg\" border=0 HEIGHT=30 WIDTH=40>"),
              std::string::npos);
    const std::string gallery = read("Gallery1.html");
    EXPECT_NE(gallery.find("Thumb-portrait.jpg\" border=0 height=10 width=8>"), std::string::npos);
    EXPECT_NE(gallery.find("Thumb-mirrored.jpg\" border=0 height=8 width=10>"), std::string::npos);
}

TEST_F(GalleryRunTest, ThumbnailFolderIsWrittenWithForwardSlashesOrLeftOut)
{
    addImages({"a.jpg"});
    setThumbsDir("web\\small");
    runAndExpectSuccess();
    EXPECT_TRUE(exists("web/small/Thumb-a.jpg"));
    EXPECT_NE(read("Gallery1.html").find("<IMG src=\"web/small/Thumb-a.jpg\""), std::string::npos);
    EXPECT_NE(read("index.html").find("<IMG src=\"web/small/Thumb-a.jpg\""), std::string::npos);

    for (const char* beside : {"\\", " "}) {
        setThumbsDir(beside);
        runAndExpectSuccess();
        EXPECT_NE(read("Gallery1.html").find("<IMG src=\"Thumb-a.jpg\""), std::string::npos);
        EXPECT_TRUE(exists("Thumb-a.jpg"));
    }
}

TEST_F(GalleryRunTest, SwitchesChangeWhatThePagesShow)
{
    inputs.settings.DisableBanner = true;
    inputs.settings.DisablePageLinks = true;
    inputs.settings.UseGalleryColors = false;
    addImages({"a.jpg"});

    runAndExpectSuccess();

    for (const char* name : {"Gallery1.html", "a.html", "index.html"}) {
        EXPECT_EQ(read(name).find("Gallery created with"), std::string::npos) << name;
    }
    EXPECT_NE(read("Gallery1.html").find("</TABLE>\r\n<P>\r\n<TABLE BORDER=1"), std::string::npos);
    EXPECT_NE(read("a.html").find("</TR></TABLE>\r\n<P>\r\n<TABLE"), std::string::npos);
    EXPECT_NE(read("a.html").find("<BODY BGCOLOR=#FFFFFF TEXT=#000000"), std::string::npos);
    EXPECT_NE(read("index.html").find(kGalleryBody), std::string::npos);
    EXPECT_NE(read("index.html").find("<HR WIDTH=\"350\">\r\n<P>\r\n<DIV"), std::string::npos);
    const Names cells = section("index.html", "<TD>", "</TD>");
    EXPECT_EQ(
        cells,
        (Names{"<TD>", "<IMG src=\"Thumbs/Thumb-a.jpg\" ALIGN=\"MIDDLE\" border=0 HEIGHT=50><BR>",
               "<FONT FACE=\"MS Sans Serif\" size=\"1\">Page 1</FONT>", "</TD>"}));
}

TEST_F(GalleryRunTest, BannerTagsBecomeScriptsRightAfterTheBodyTag)
{
    ASSERT_TRUE(SaveText(inputs.textStorePath, "Ads", {"It's", "here", "", "B"}).ok());
    inputs.bankNames = {"Ads", "News"};
    inputs.settings.GalleryHeader = "<P>{News}</P>";
    inputs.settings.GalleryFooter = "{Ads}{Ads}";
    addImages({"a.jpg"});

    runAndExpectSuccess();

    const std::string text = read("Gallery1.html");
    const std::string call0 =
        "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">WriteBanner0()</script>";
    const std::string call1 =
        "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">WriteBanner1()</script>";
    EXPECT_NE(
        text.find(std::string(kGalleryBody) + "\r\n" +
                  page({"<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">",
                        "Banner0 = new Array();", "Banner0[1] = 'It\\'shere';", "Banner0[2] = 'B';",
                        "function WriteBanner0(){", "var i = Math.round(Math.random() * 2 + 0.5);",
                        "document.write(Banner0[i]);", "}", "</script>",
                        "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">",
                        "Banner1 = new Array();", "Banner1[1] = '';", "function WriteBanner1(){",
                        "var i = Math.round(Math.random() * 0 + 0.5);",
                        "document.write(Banner1[i]);", "}", "</script>", "<P>" + call1 + "</P>"})),
        std::string::npos);
    EXPECT_NE(text.find("\r\n" + call0 + call0 + "\r\n</body>"), std::string::npos);
    EXPECT_EQ(read("a.html").find("<SCRIPT"), std::string::npos);
}

TEST_F(GalleryRunTest, ZeroRowsWritesThumbnailsAndAnIndexOfNoPages)
{
    inputs.settings.Rows = 0;
    addImages({"a.jpg"});

    runAndExpectSuccess();

    EXPECT_EQ(observer.events.front(), "message: You cannot have zero rows or zero columns");
    EXPECT_TRUE(exists("Thumbs/Thumb-a.jpg"));
    EXPECT_FALSE(exists("Gallery1.html"));
    EXPECT_NE(read("index.html").find("Total Pages: 0</FONT></DIV>"), std::string::npos);
    EXPECT_EQ(section("index.html", "<TABLE BGCOLOR", "</TR></TABLE>"),
              (Names{"<TABLE BGCOLOR=\"Teal\" BORDER=\"1\" CELLSPACING=\"0\" ALIGN=\"CENTER\">",
                     "<TR ALIGN=\"CENTER\">", "</TR></TABLE>"}));
    EXPECT_EQ(observer.events.back(), "beep");
}

// Each image is then its own thumbnail, which exists, so nothing is made and the run goes on.
TEST_F(GalleryRunTest, ThumbnailsThatAreTheImagesThemselvesAreUsedAsTheyAre)
{
    addImages({"a.jpg"});
    const std::string original = read("a.jpg");
    setThumbsDir("");
    inputs.settings.ThumbPrefix = "";

    runAndExpectSuccess();

    EXPECT_EQ(read("a.jpg"), original);
    EXPECT_NE(read("Gallery1.html").find("<IMG src=\"a.jpg\" border=0 height=30 width=40></a>"),
              std::string::npos);
}

TEST_F(GalleryRunTest, EmptyThumbnailStandsAsZeroByZeroAndTheRunGoesOn)
{
    dir.write("pics/strip.jpg", test::encodeJpeg(test::patternImage(1000, 4)));
    addImages({"b.jpg"});
    inputs.images.insert(inputs.images.begin(), "strip.jpg");

    for (int run = 0; run < 2; ++run) {
        runAndExpectSuccess();
        EXPECT_EQ(read("Thumbs/Thumb-strip.jpg"), "");
        EXPECT_NE(read("Gallery1.html").find("Thumb-strip.jpg\" border=0 height=0 width=0></a>"),
                  std::string::npos);
        EXPECT_TRUE(exists("b.html"));
    }
}

// Bad images first, in the middle and last, and one whose thumbnail exists but whose photo
// cannot be read: the gallery is that of the others, as if the bad ones were not in the list.
TEST_F(GalleryRunTest, KeepingGoingLeavesOutTheImagesThatCannotBeRead)
{
    inputs.settings.Rows = 1;
    inputs.settings.Cols = 2;
    inputs.thumbnailWork.keepGoing = true;
    addImages({"a.jpg", "b.jpg", "c.jpg"});
    dir.write("pics/bad1.jpg", "not a picture");
    dir.write("pics/bad2.jpg", "");
    dir.write("pics/bad3.jpg", "still not");
    addImages({"d.jpg"});
    test::makeDirectory(dir.path("pics/Thumbs"));
    dir.write("pics/Thumbs/Thumb-d.jpg", test::encodeJpeg(test::patternImage(10, 8)));
    dir.write("pics/d.jpg", "damaged since");
    inputs.images = {"bad1.jpg", "a.jpg", "bad2.jpg", "b.jpg", "d.jpg", "c.jpg", "bad3.jpg"};

    runAndExpectSuccess();

    ASSERT_EQ(observer.leftOutErrors.size(), 4u);
    EXPECT_EQ(observer.leftOutErrors[0].rfind("JPEG error #", 0), 0u);
    EXPECT_NE(observer.leftOutErrors[0].find(dir.path("pics/bad1.jpg")), std::string::npos);
    EXPECT_EQ(observer.leftOutErrors[1].rfind(
                  "Invalid floating point operation in " + dir.path("pics/bad2.jpg"), 0),
              0u);
    EXPECT_NE(observer.leftOutErrors[2].find(dir.path("pics/bad3.jpg")), std::string::npos);
    EXPECT_NE(observer.leftOutErrors[3].find(dir.path("pics/d.jpg")), std::string::npos);
    EXPECT_NE(read("index.html").find("Total Images: 3<BR>"), std::string::npos);
    EXPECT_NE(read("index.html").find("Total Pages: 2</FONT>"), std::string::npos);
    EXPECT_FALSE(exists("Gallery3.html"));
    EXPECT_NE(read("a.html").find("<A HREF=\"b.html\""), std::string::npos);
    EXPECT_NE(read("b.html").find("<A HREF=\"c.html\""), std::string::npos);
    EXPECT_NE(read("c.html").find("<A HREF=\"b.html\""), std::string::npos);
    for (const char* gone : {"bad1.html", "bad2.html", "bad3.html", "d.html"}) {
        EXPECT_FALSE(exists(gone)) << gone;
    }
    EXPECT_EQ(read("Gallery1.html").find("bad"), std::string::npos);

    // Without keeping going, the first bad image stops the run as before.
    inputs.thumbnailWork.keepGoing = false;
    EXPECT_FALSE(run().ok());
}

TEST_F(GalleryRunTest, RefreshRemakesOnlyTheThumbnailsOlderThanTheirPhotos)
{
    addImages({"old.jpg", "new.jpg"});
    const std::string stale = test::encodeJpeg(test::patternImage(4, 3));
    test::makeDirectory(dir.path("pics/Thumbs"));
    dir.write("pics/Thumbs/Thumb-old.jpg", stale);
    dir.write("pics/Thumbs/Thumb-new.jpg", stale);
    namespace fs = std::filesystem;
    const fs::file_time_type photos = fs::last_write_time(dir.path("pics/old.jpg"));
    fs::last_write_time(dir.path("pics/Thumbs/Thumb-old.jpg"), photos - std::chrono::hours(1));
    fs::last_write_time(dir.path("pics/Thumbs/Thumb-new.jpg"), photos + std::chrono::hours(1));

    runAndExpectSuccess();
    EXPECT_EQ(read("Thumbs/Thumb-old.jpg"), stale);

    inputs.refresh = true;
    runAndExpectSuccess();
    EXPECT_NE(read("Thumbs/Thumb-old.jpg"), stale);
    EXPECT_EQ(read("Thumbs/Thumb-new.jpg"), stale);
    EXPECT_NE(read("Gallery1.html").find("Thumb-old.jpg\" border=0 height=8 width=10>"),
              std::string::npos);
    EXPECT_NE(read("Gallery1.html").find("Thumb-new.jpg\" border=0 height=3 width=4>"),
              std::string::npos);
}

// Upload tools compare times: a re-run must leave every page that comes out the same as it was.
TEST_F(GalleryRunTest, ReRunWritesOnlyThePagesThatChange)
{
    namespace fs = std::filesystem;
    inputs.settings.Rows = 1;
    inputs.settings.Cols = 2;
    addNumberedImages(4);
    runAndExpectSuccess();
    // Whole seconds, which every file system keeps exactly.
    const fs::file_time_type past = std::chrono::floor<std::chrono::seconds>(
        fs::file_time_type::clock::now() - std::chrono::hours(2));
    const Names pages{"Gallery1.html", "Gallery2.html", "p1.html",   "p2.html",
                      "p3.html",       "p4.html",       "index.html"};
    for (const std::string& name : pages) {
        fs::last_write_time(dir.path("pics/" + name), past);
    }
    const auto untouched = [&](const std::string& name) {
        return fs::last_write_time(dir.path("pics/" + name)) == past;
    };

    // The index page draws other thumbnails, so it alone changes.
    FixedDraw otherDraw(1);
    ASSERT_TRUE(RunGallery(test::lockedFolder(inputs.settings.ImageDir), inputs, observer,
                           otherDraw, colours)
                    .ok());
    for (const std::string& name : pages) {
        EXPECT_EQ(untouched(name), name != "index.html") << name;
    }

    // One more image at the end of the sorted list: a third gallery page, so every page bar
    // changes; the last image gets a Next; the others' pages stay.
    fs::last_write_time(dir.path("pics/index.html"), past);
    dir.write("pics/p5.jpg", read("p1.jpg"));
    inputs.images.push_back("p5.jpg");
    ASSERT_TRUE(RunGallery(test::lockedFolder(inputs.settings.ImageDir), inputs, observer,
                           otherDraw, colours)
                    .ok());
    for (const char* name : {"p1.html", "p2.html", "p3.html"}) {
        EXPECT_TRUE(untouched(name)) << name;
    }
    for (const char* name : {"p4.html", "Gallery1.html", "Gallery2.html", "index.html"}) {
        EXPECT_FALSE(untouched(name)) << name;
    }
    EXPECT_NE(read("p4.html").find("<A HREF=\"p5.html\""), std::string::npos);
    EXPECT_TRUE(exists("Gallery3.html"));
    EXPECT_TRUE(exists("p5.html"));
}

TEST_F(GalleryRunTest, EmptyListWritesNothing)
{
    EXPECT_EQ(*run(), CommandEnd::NoImages);
    EXPECT_EQ(observer.events,
              (Names{"beep", "message: There are no JPG files in the selected directory"}));
    EXPECT_EQ(dir.entryCount(), 1);
    EXPECT_FALSE(exists("Thumbs"));
}

TEST_F(GalleryRunTest, OnlyMissingThumbnailsAreMade)
{
    addNumberedImages(3);
    runAndExpectSuccess();
    dir.write("pics/Thumbs/Thumb-p1.jpg", test::encodeJpeg(test::patternImage(7, 5)));
    ASSERT_TRUE(removeFile(dir.path("pics/Thumbs/Thumb-p2.jpg")));
    observer.events.clear();

    runAndExpectSuccess();

    EXPECT_EQ(observer.events.front(), "Creating thumbnail 2 of 3");
    EXPECT_EQ(observer.events[1], "Writing page 1 of 1");
    EXPECT_NE(read("Gallery1.html").find("Thumb-p1.jpg\" border=0 height=5 width=7>"),
              std::string::npos);
}

TEST_F(GalleryRunTest, MissingThumbnailStopsTheRunAtItsCell)
{
    addImages({"a.jpg"});
    dir.write("pics/b.png", test::encodeJpeg(test::patternImage(4, 4)));
    inputs.images.push_back("b.png");

    const Result<CommandEnd> end = run();

    ASSERT_FALSE(end.ok());
    EXPECT_EQ(end.message(), "Cannot open file " + dir.path("pics/Thumbs/Thumb-b.png") + ": " +
                                 test::reasonFor(test::Failure::NoSuchFile));
    EXPECT_TRUE(exists("a.html"));
    EXPECT_FALSE(exists("Gallery1.html"));
    EXPECT_FALSE(exists("index.html"));
    EXPECT_EQ(std::count(observer.events.begin(), observer.events.end(), "Finished"), 0);
}

TEST_F(GalleryRunTest, PageThatCannotBeCreatedStopsTheRun)
{
    inputs.settings.Rows = 1;
    inputs.settings.Cols = 1;
    addNumberedImages(3);
    ASSERT_TRUE(test::makeDirectory(dir.path("pics/Gallery2.html")));

    const Result<CommandEnd> end = run();

    EXPECT_EQ(end.message(), "Cannot create file " + dir.path("pics/Gallery2.html") + ": " +
                                 test::reasonFor(test::Failure::IsADirectory));
    EXPECT_TRUE(exists("Gallery1.html"));
    EXPECT_TRUE(exists("p2.html"));
    // Pages made after the one that failed are not written.
    EXPECT_FALSE(exists("p3.html"));
    EXPECT_FALSE(exists("Gallery3.html"));
    EXPECT_FALSE(exists("index.html"));
}

// Asked to stop (the window is being closed), the run ends between two pages: the pages
// before stay whole, no later page and no index page is written, and nothing is opened.
TEST_F(GalleryRunTest, RunAskedToStopEndsBetweenTwoPages)
{
    class StopAtSecondPage final : public GalleryObserver {
    public:
        void status(std::string_view text) override { texts.emplace_back(text); }
        void progress(std::size_t, std::size_t) override {}
        void breathe() override {}
        void beep() override {}
        void message(std::string_view) override {}
        void openPage(const std::string& path) override { texts.push_back("open " + path); }
        // Asked once page 2 is under way: it is finished, page 3 is not begun.
        bool stopRequested() const override { return texts.back() == "Writing page 2 of 3"; }
        Names texts{""};
    } stopping;
    inputs.settings.Rows = 1;
    inputs.settings.Cols = 1;
    addNumberedImages(3);

    const Result<CommandEnd> end =
        RunGallery(test::lockedFolder(inputs.settings.ImageDir), inputs, stopping, draw, colours);

    ASSERT_TRUE(end.ok()) << end.message();
    EXPECT_EQ(*end, CommandEnd::Stopped);
    EXPECT_TRUE(exists("Gallery2.html"));
    EXPECT_TRUE(exists("p2.html"));
    EXPECT_FALSE(exists("Gallery3.html"));
    EXPECT_FALSE(exists("p3.html"));
    EXPECT_FALSE(exists("index.html"));
    EXPECT_EQ(stopping.texts.back(), "Writing page 2 of 3");
}

// A page name that is a link never leads the run to write the file it names.
TEST_F(GalleryRunTest, PageNamedByASymbolicLinkStopsTheRunAndItsTargetIsKept)
{
    inputs.settings.Rows = 1;
    inputs.settings.Cols = 1;
    addNumberedImages(2);
    dir.write("notes.txt", "my notes");
    if (!test::makeSymbolicLink("../notes.txt", dir.path("pics/Gallery2.html"))) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }

    const Result<CommandEnd> end = run();

    EXPECT_EQ(end.message(),
              "Cannot create file " + dir.path("pics/Gallery2.html") + ": it is a symbolic link");
    EXPECT_EQ(dir.read("notes.txt"), "my notes");
    EXPECT_TRUE(exists("Gallery1.html"));
    EXPECT_FALSE(exists("index.html"));
}

// Keeping going is for photos that cannot be read: a thumbnail that cannot be written ends the
// run, and the published index stays as it was instead of losing every image.
TEST_F(GalleryRunTest, KeepingGoingStopsAtAThumbnailThatCannotBeWritten)
{
    inputs.thumbnailWork.keepGoing = true;
    addImages({"a.jpg", "b.jpg"});
    runAndExpectSuccess();
    const std::string index = read("index.html");
    ASSERT_TRUE(removeFile(dir.path("pics/Thumbs/Thumb-a.jpg")));
    ASSERT_TRUE(test::makeDirectory(dir.path("pics/Thumbs/Thumb-a.jpg")));

    const Result<CommandEnd> end = run();

    EXPECT_EQ(end.message(), "Cannot create file " + dir.path("pics/Thumbs/Thumb-a.jpg") + ": " +
                                 test::reasonFor(test::Failure::IsADirectory));
    EXPECT_TRUE(observer.leftOutErrors.empty());
    EXPECT_EQ(read("index.html"), index);
}

TEST_F(GalleryRunTest, ThumbnailFolderOutsideTheImageDirectoryIsRefusedBeforeAnything)
{
    addImages({"a.jpg"});
    inputs.settings.ThumbPrefix = "";
    setThumbsDir("..");

    const Result<CommandEnd> end = run();

    EXPECT_EQ(end.message().rfind("The thumbnail folder \"..\" (ThumbsDir) is not inside", 0), 0u)
        << end.message();
    EXPECT_EQ(dir.entryCount(), 1);
    EXPECT_FALSE(exists("index.html"));
}

TEST_F(GalleryRunTest, EmptyIndexFileStopsTheRunAfterTheGalleryPages)
{
    inputs.settings.IndexFile = "";
    addImages({"a.jpg"});

    const Result<CommandEnd> end = run();

    EXPECT_EQ(end.message().rfind("Cannot create file " + dir.path("pics/") + ": ", 0), 0u)
        << end.message();
    EXPECT_TRUE(exists("Gallery1.html"));
    EXPECT_EQ(observer.events.back(), "Writing Index Page");
}

TEST_F(GalleryRunTest, RunWhosePagesWouldShareANameIsRefusedBeforeAnythingIsWritten)
{
    struct Case {
        Names images;
        void (*change)(GallerySettings&);
        std::string refusal;  // empty: the run is made
    };
    const auto unchanged = [](GallerySettings&) {};
    const std::vector<Case> cases = {
        {{"a.jpg", "index.jpg"},
         unchanged,
         "The image page of index.jpg would be written over the index page index.html: rename "
         "the photo or change the index page's name."},
        {{"a.jpg", "INDEX.jpg"},
         unchanged,
         "The image page of INDEX.jpg would be written over the index page index.html: rename "
         "the photo or change the index page's name."},
        {{"a.jpg", "Gallery1.jpg"},
         unchanged,
         "The image page of Gallery1.jpg would be written over the gallery page Gallery1.html: "
         "rename the photo or change the gallery page prefix."},
        {{"gallery2.jpg", "b.jpg"},
         unchanged,
         "The image page of gallery2.jpg would be written over the gallery page Gallery2.html: "
         "rename the photo or change the gallery page prefix."},
        {{"a.JPG", "A.jpg"},
         unchanged,
         "The image page of A.jpg would be written over the image page of a.JPG (a.html): "
         "rename one of the photos."},
        {{"a.jpg"},
         [](GallerySettings& s) { s.PageExt = "JPG"; },
         "The image page of a.jpg would be written over the photo a.jpg: change the page "
         "extension."},
        {{"a.jpg", "b.jpg"},
         [](GallerySettings& s) { s.IndexFile = "Gallery2.html"; },
         "The index page Gallery2.html would be written over the gallery page Gallery2.html: "
         "change the index page's name or change the gallery page prefix."},
        {{"a.jpg", "b.jpg"},
         [](GallerySettings& s) { s.IndexFile = "B.JPG"; },
         "The index page B.JPG would be written over the photo b.jpg: change the index page's "
         "name."},
        {{"a.jpg", "index.jpg"}, [](GallerySettings& s) { s.UseImageShell = false; }, ""},
        {{"a.JPG", "A.jpg", "gallery1.jpg"},
         [](GallerySettings& s) { s.UseImageShell = false; },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.images.front() + ", " + c.images.back());
        const TempDir other;
        test::makeDirectory(other.path("pics"));
        inputs.settings.ImageDir = other.path("pics");
        inputs.settings.Rows = inputs.settings.Cols = 1;
        inputs.settings.UseImageShell = true;
        inputs.settings.PageExt = "html";
        inputs.settings.GalleryPrefix = "Gallery";
        inputs.settings.IndexFile = "index.html";
        c.change(inputs.settings);
        inputs.images = c.images;
        for (const std::string& name : c.images) {
            other.write("pics/" + name, test::encodeJpeg(test::patternImage(40, 30)));
        }
        // Names that differ only in case are one file where the file system ignores case.
        const std::size_t files = listDirectory(inputs.settings.ImageDir)->size();
        const Result<CommandEnd> end = run();
        if (c.refusal.empty()) {
            EXPECT_TRUE(end.ok()) << end.message();
            continue;
        }
        EXPECT_EQ(end.message(), c.refusal);
        EXPECT_EQ(listDirectory(inputs.settings.ImageDir)->size(), files);
    }
}

TEST_F(GalleryRunTest, PhotoWhosePageNameIsTooLongIsRefusedOrLeftOutBeforeAnythingIsWritten)
{
    const std::string longName = std::string(251, 'n') + ".jpg";  // 255 characters
    inputs.settings.Rows = inputs.settings.Cols = 1;
    setThumbsDir("Thumbs");
    inputs.settings.ThumbPrefix = "";
    addImages({"a.jpg", "b.jpg"});
    runAndExpectSuccess();
    const std::string published = read("Gallery1.html");
    inputs.images.clear();
    addImages({"z.jpg", "a.jpg", longName, "b.jpg"});

    EXPECT_EQ(run().message(), "Cannot create file " + dir.path("pics/" + imageBaseName(longName)) +
                                   ".html: " + test::reasonFor(test::Failure::NameTooLong));
    EXPECT_EQ(read("Gallery1.html"), published);
    EXPECT_FALSE(exists("Thumbs/z.jpg"));

    inputs.thumbnailWork.keepGoing = true;
    runAndExpectSuccess();
    ASSERT_EQ(observer.leftOutErrors.size(), 1u);
    EXPECT_NE(observer.leftOutErrors[0].find(imageBaseName(longName) + ".html"), std::string::npos);
    EXPECT_NE(read("Gallery1.html").find("z.html"), std::string::npos);
    EXPECT_NE(read("Gallery3.html").find("b.html"), std::string::npos);
}

// A folder deeper than 260 characters has its gallery like any other.
TEST_F(GalleryRunTest, GalleryInAFolderDeeperThan260CharactersIsMade)
{
    const std::string deep = dir.path("pics/" + std::string(120, 'a') + "/" +
                                      std::string(120, 'b') + "/" + std::string(40, 'c'));
    ASSERT_GT(deep.size(), 300u);
    ASSERT_TRUE(makeDirectories(deep).ok());
    inputs.settings.ImageDir = deep;
    inputs.images = {"p1.jpg"};
    const std::string jpeg = test::encodeJpeg(test::patternImage(40, 30));
    ASSERT_TRUE(
        writeFileAtomically(deep + kPathSeparator + "p1.jpg", jpeg, ExistingFile::Replace).ok());
    runAndExpectSuccess();
    EXPECT_TRUE(lookUp(deep + kPathSeparator + "index.html").ok());
    EXPECT_TRUE(lookUp(thumbnailPath(inputs.settings, "p1.jpg")).ok());
}

}  // namespace
}  // namespace pixmosa
