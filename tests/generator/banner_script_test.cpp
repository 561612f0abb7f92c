#include "generator/banner_script.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

using Lines = std::vector<std::string>;
const std::vector<std::string> kBanks{"Ads", "News"};

std::string call(int bank)
{
    return "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">WriteBanner" +
           std::to_string(bank) + "()</script>";
}

TEST(BannerScriptTest, EveryTagOfAKnownBankIsReplacedInHeaderAndFooter)
{
    const BannerTags tags =
        replaceBannerTags("<P>{News} and {News}</P>", "{Ads}{ads}{Other}", kBanks);

    EXPECT_EQ(tags.header, "<P>" + call(1) + " and " + call(1) + "</P>");
    EXPECT_EQ(tags.footer, call(0) + "{ads}{Other}");
    EXPECT_EQ(tags.banks, (std::vector<std::size_t>{0, 1}));
}

TEST(BannerScriptTest, NoBanksReplaceNothing)
{
    const BannerTags tags = replaceBannerTags("{Ads}", "", {});
    EXPECT_EQ(tags.header, "{Ads}");
    EXPECT_TRUE(tags.banks.empty());
}

TEST(BannerScriptTest, BlankLinesSeparateBannersAndLinesOfOneBannerAreJoined)
{
    EXPECT_EQ(divideIntoBanners("A1\r\nA2\r\n\r\nB1\r\n"), (Lines{"A1A2", "B1"}));
    EXPECT_EQ(divideIntoBanners("A\r\n\r\n\r\n\r\nB"), (Lines{"A", "B"}));
    EXPECT_EQ(divideIntoBanners("A\r\n\r\n\r\n"), (Lines{"A"}));
    EXPECT_EQ(divideIntoBanners("\r\nA\r\n"), (Lines{"A"}));
    EXPECT_EQ(divideIntoBanners("\r\n\r\nA\r\n"), (Lines{"", "A"}));
    EXPECT_EQ(divideIntoBanners(""), Lines{});
}

TEST(BannerScriptTest, ScriptBlockDefinesEveryBannerAndPicksOneAtRandom)
{
    EXPECT_EQ(bannerScript(0, "A1\r\nA2\r\n\r\nB1\r\n"),
              (Lines{"<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">",
                     "Banner0 = new Array();", "Banner0[1] = 'A1A2';", "Banner0[2] = 'B1';",
                     "function WriteBanner0(){", "var i = Math.round(Math.random() * 2 + 0.5);",
                     "document.write(Banner0[i]);", "}", "</script>"}));
}

TEST(BannerScriptTest, EmptyBankWritesAnEmptyFirstElement)
{
    for (const std::string& text : {std::string(), std::string("\r\n")}) {
        const Lines script = bannerScript(3, text);
        ASSERT_EQ(script.size(), 8u);
        EXPECT_EQ(script[1], "Banner3 = new Array();");
        EXPECT_EQ(script[2], "Banner3[1] = '';");
        EXPECT_EQ(script[4], "var i = Math.round(Math.random() * 0 + 0.5);");
    }
}

TEST(BannerScriptTest, ApostrophesAndFourDollarsAreEscaped)
{
    const Lines script = bannerScript(1, "It's <B>\"$$$$\"</B> \\n\r\n");
    EXPECT_EQ(script[2], "Banner1[1] = 'It\\'s <B>\"\\'\"</B> \\n';");
}

TEST(BannerScriptTest, ScriptEndsInBannersAreWrittenSoTheyCannotEndTheBlock)
{
    const Lines script = bannerScript(
        0, "<SCRIPT>x('</SCRIPT>')</script></Script ><x/script></scrip\r\n\r\n</SCRIPT");
    EXPECT_EQ(
        script[2],
        "Banner0[1] = '<SCRIPT>x(\\'<\\/SCRIPT>\\')<\\/script><\\/Script ><x/script></scrip';");
    EXPECT_EQ(script[3], "Banner0[2] = '<\\/SCRIPT';");
}

}  // namespace
}  // namespace pixmosa
