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

Result<std::vector<std::string>> readImageDirectory(std::string_view directoryText, bool sorted)
{
    std::vector<std::string> images;
    const std::string directory = withTrailingSeparator(directoryText);
    if (directoryText.empty() || !directoryExists(directory)) {
        return images;
    }
    Result<std::vector<std::string>> names = listDirectory(std::string(directoryText));
    if (!names) {
        return Result<std::vector<std::string>>::failure("Cannot read the image directory " +
                                                         names.message());
    }
    for (std::string& name : std::move(names).value()) {
        if (isImageName(name)) {
            images.push_back(std::move(name));
        }
    }
    // Sorted on, the locale's collation orders what the listing order gave.
    sortInListingOrder(images);
    if (sorted) {
        sortImageNames(images);
    }
    return images;
}

std::vector<std::string> ScanImages(std::string_view directoryText, bool sorted)
{
    Result<std::vector<std::string>> images = readImageDirectory(directoryText, sorted);
    return images ? std::move(images).value() : std::vector<std::string>();
}

}  // namespace pixmosa
