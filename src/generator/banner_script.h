#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace pixmosa {

// A page's header and footer with every banner tag "{" + bank name + "}" of a known bank
// replaced by the call of that bank's script, and the banks they refer to, in bank order.
struct BannerTags {
    std::string header;
    std::string footer;
    std::vector<std::size_t> banks;
};
BannerTags replaceBannerTags(std::string header, std::string footer,
                             const std::vector<std::string>& bankNames);

// A bank's stored text divided into banners: blank lines separate banners, and the lines of
// one banner are joined with nothing between them.
std::vector<std::string> divideIntoBanners(const std::string& bankText);

// The script block that defines bank `bank`'s banners and the function that writes one of
// them at random, one line per element.
std::vector<std::string> bannerScript(std::size_t bank, const std::string& bankText);

// The script blocks of the referenced banks, each bank's text read afresh from the text store.
Result<std::vector<std::string>> bannerScripts(const std::vector<std::size_t>& banks,
                                               const std::vector<std::string>& bankNames,
                                               const std::string& textStorePath);

}  // namespace pixmosa
