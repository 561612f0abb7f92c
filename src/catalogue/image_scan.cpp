#include "catalogue/image_scan.h"

#include "catalogue/image_order.h"
#include "common/paths.h"
#include "common/text.h"
#include "platform/file_system.h"

namespace pixmosa {

namespace {

constexpr std::string_view kImageExtension = ".jpg";

bool isImageName(std::string_view name)
{
    return name.size() >= kImageExtension.size() &&
           equalsIgnoringAsciiCase(name.substr(name.size() - kImageExtension.size()),
                                   kImageExtension);
}

}  // namespace

std::vector<std::string> ScanImages(std::string_view directoryText, bool sorted)
{
    std::vector<std::string> images;
    if (directoryText.empty()) {
        return images;
    }
    Result<std::vector<std::string>> names = listDirectory(withTrailingSeparator(directoryText));
    if (!names) {
        return images;
    }
    for (std::string& name : std::move(names).value()) {
        if (isImageName(name)) {
            images.push_back(std::move(name));
        }
    }
    if (sorted) {
        sortImageNames(images);
    }
    return images;
}

}  // namespace pixmosa
