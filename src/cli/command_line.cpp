#include "cli/command_line.h"

#include <ostream>

#include "cli/image_commands.h"
#include "cli/settings_commands.h"
#include "settings/number_field.h"

namespace pixmosa::cli {

namespace {

constexpr const char* kUsage =
    "usage: pixmosa-cli [--image-dir DIR] [--jobs N] [--memory-limit MIB] COMMAND [ARGUMENTS]\n"
    "\n"
    "  gallery [--open]       make the gallery: missing thumbnails, every page and the index\n"
    "                         page, which --open shows in the browser\n"
    "  scan                   list the images of the image directory, then the pages needed\n"
    "  thumbnails             make the thumbnail of every image\n"
    "  rename PREFIX          rename the images in list order to PREFIX01.jpg, PREFIX02.jpg...\n"
    "  get NAME               print a stored setting by its value name (its default when\n"
    "                         not stored), e.g. Columns, DocExtension, ThumbsDir\n"
    "  set NAME VALUE         store a setting; numbers, colours and switches (0 or 1) as\n"
    "                         decimal whole numbers, numbers clamped to their limits\n"
    "  text get SECTION       print a section of the text store\n"
    "  text set SECTION       store the lines of standard input as a section\n"
    "  banks list             list the banner banks\n"
    "  banks add NAME         add a banner bank\n"
    "  banks delete NAME      delete a banner bank and its lines\n"
    "\n"
    "--image-dir DIR replaces the stored image directory for this call only; --jobs N makes\n"
    "thumbnails on N threads (one per processor when not given); --memory-limit MIB lets the\n"
    "decoders of all of them hold at most MIB mebibytes at once (half of the memory when not\n"
    "given), and refuses an image that alone needs more.\n"
    "PIXMOSA_REGISTRY and PIXMOSA_TEXT_STORE name other files for the settings and the\n"
    "page texts.\n";

int badUsage(Context& context)
{
    printUsage(context.err);
    return kBadUsage;
}

}  // namespace

void printUsage(std::ostream& stream)
{
    stream << kUsage;
}

int runCommandLine(std::vector<std::string> arguments, Context& context)
{
    while (arguments.size() >= 2 && (arguments[0] == "--image-dir" || arguments[0] == "--jobs" ||
                                     arguments[0] == "--memory-limit")) {
        if (arguments[0] == "--image-dir") {
            context.imageDir = arguments[1];
        } else if (arguments[0] == "--jobs") {
            const std::optional<std::int64_t> jobs = parseWholeNumber(arguments[1]);
            if (!jobs || *jobs < 1 || *jobs > 256) {
                return badUsage(context);
            }
            context.thumbnailWork.workers = static_cast<unsigned>(*jobs);
        } else {
            const std::optional<std::int64_t> mebibytes = parseWholeNumber(arguments[1]);
            if (!mebibytes || *mebibytes < 1) {
                return badUsage(context);
            }
            context.thumbnailWork.memoryLimit = static_cast<std::uint64_t>(*mebibytes) << 20;
        }
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    const std::size_t count = arguments.size();
    if (count == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        printUsage(context.out);
        return kSuccess;
    }
    if (count == 0) {
        return badUsage(context);
    }
    const std::string& command = arguments[0];
    const std::string sub = count > 1 ? arguments[1] : std::string();
    if (command == "scan" && count == 1) {
        return scanImages(context);
    }
    if (command == "gallery" && (count == 1 || (count == 2 && sub == "--open"))) {
        return makeGallery(count == 2, context);
    }
    if (command == "thumbnails" && count == 1) {
        return makeThumbnails(context);
    }
    if (command == "rename" && count == 2) {
        return renameImages(arguments[1], context);
    }
    if (command == "get" && count == 2) {
        return getSetting(arguments[1], context);
    }
    if (command == "set" && count == 3) {
        return setSetting(arguments[1], arguments[2], context);
    }
    if (command == "text" && count == 3 && sub == "get") {
        return getText(arguments[2], context);
    }
    if (command == "text" && count == 3 && sub == "set") {
        return setText(arguments[2], context);
    }
    if (command == "banks" && count == 2 && sub == "list") {
        return listBanks(context);
    }
    if (command == "banks" && count == 3 && sub == "add") {
        return addBank(arguments[2], context);
    }
    if (command == "banks" && count == 3 && sub == "delete") {
        return deleteBank(arguments[2], context);
    }
    return badUsage(context);
}

}  // namespace pixmosa::cli
