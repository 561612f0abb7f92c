#include "platform/file_names.h"

#include "common/text.h"

namespace pixmosa {

std::optional<std::string> windowsNameProblem(std::string_view name)
{
    constexpr std::string_view kForbidden = ":*?\"<>|";
    for (const char c : name) {
        if (kForbidden.find(c) != std::string_view::npos) {
            return "it holds \"" + std::string(1, c) + "\", which Windows names cannot hold";
        }
        if (static_cast<unsigned char>(c) < 32) {
            return std::string("it holds a control character, which Windows names cannot hold");
        }
    }
    if (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        return std::string("it ends in a dot or a blank, which Windows drops from names");
    }
    // A device keeps its name whatever extension follows it, and blanks before that.
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.remove_suffix(1);
    }
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
        if (equalsIgnoringAsciiCase(stem, device)) {
            return "it is the name of the device " + std::string(device);
        }
    }
    for (const std::string_view device : {"COM", "LPT"}) {
        if (stem.size() == 4 && startsWithIgnoringAsciiCase(stem, device) && stem[3] >= '1' &&
            stem[3] <= '9') {
            return "it is the name of the device " + std::string(device) + stem[3];
        }
    }
    return std::nullopt;
}

std::optional<std::string> nameProblem(std::string_view name)
{
#ifdef _WIN32
    return windowsNameProblem(name);
#else
    (void)name;
    return std::nullopt;
#endif
}

}  // namespace pixmosa
