#include "generator/banner_script.h"

#include "common/text.h"
#include "settings/text_store.h"

namespace pixmosa {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kParagraphMarker = "\xA3\xA3\xA3\xA3\xA3";

std::string bannerCall(std::size_t bank)
{
    return "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">WriteBanner" +
           std::to_string(bank) + "()</script>";
}

// Every apostrophe becomes backslash-apostrophe, by way of "$$$$", so a run of four dollar
// signs already in the banner becomes one too. A "</script" in any letter case would end the
// page's script block in the middle of the array, so it is written "<\/script".
std::string escapeBanner(std::string banner)
{
    banner = replaceAllRepeated(std::move(banner), "'", "$$$$");
    banner = replaceAllRepeated(std::move(banner), "$$$$", "\\'");
    constexpr std::string_view kScriptEnd = "</script";
    for (std::size_t at = 0; at + kScriptEnd.size() <= banner.size(); ++at) {
        if (startsWithIgnoringAsciiCase(std::string_view(banner).substr(at), kScriptEnd)) {
            banner.insert(at + 1, 1, '\\');
            at += kScriptEnd.size();
        }
    }
    return banner;
}

}  // namespace

BannerTags replaceBannerTags(std::string header, std::string footer,
                             const std::vector<std::string>& bankNames)
{
    BannerTags tags;
    for (std::size_t bank = 0; bank < bankNames.size(); ++bank) {
        const std::string tag = "{" + bankNames[bank] + "}";
        bool referenced = false;
        for (std::string* text : {&header, &footer}) {
            if (text->find(tag) != std::string::npos) {
                referenced = true;
                *text = replaceAllRepeated(std::move(*text), tag, bannerCall(bank));
            }
        }
        if (referenced) {
            tags.banks.push_back(bank);
        }
    }
    tags.header = std::move(header);
    tags.footer = std::move(footer);
    return tags;
}

std::vector<std::string> divideIntoBanners(const std::string& bankText)
{
    std::string text = replaceAllRepeated(bankText, "\r\n\r\n", kParagraphMarker);
    text = replaceAllRepeated(std::move(text), kCrLf, "");
    text = replaceAllRepeated(std::move(text), kParagraphMarker, kCrLf);
    text = replaceAllRepeated(std::move(text), "\r\n\r\n", kCrLf);
    return splitLines(text);
}

std::vector<std::string> bannerScript(std::size_t bank, const std::string& bankText)
{
    const std::string n = std::to_string(bank);
    const std::vector<std::string> banners = divideIntoBanners(bankText);
    std::vector<std::string> lines{
        "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">",
        "Banner" + n + " = new Array();",
    };
    for (std::size_t k = 0; k < banners.size(); ++k) {
        lines.push_back("Banner" + n + "[" + std::to_string(k + 1) + "] = '" +
                        escapeBanner(banners[k]) + "';");
    }
    // Without banners the call picks element 1, which then writes nothing, not "undefined".
    if (banners.empty()) {
        lines.push_back("Banner" + n + "[1] = '';");
    }
    lines.push_back("function WriteBanner" + n + "(){");
    lines.push_back("var i = Math.round(Math.random() * " + std::to_string(banners.size()) +
                    " + 0.5);");
    lines.push_back("document.write(Banner" + n + "[i]);");
    lines.push_back("}");
    lines.push_back("</script>");
    return lines;
}

Result<std::vector<std::string>> bannerScripts(const std::vector<std::size_t>& banks,
                                               const std::vector<std::string>& bankNames,
                                               const std::string& textStorePath)
{
    std::vector<std::string> lines;
    for (const std::size_t bank : banks) {
        const Result<std::string> text = LoadText(textStorePath, bankNames[bank]);
        if (!text) {
            return text.status();
        }
        for (std::string& line : bannerScript(bank, *text)) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

}  // namespace pixmosa
