#include "cli/command_line.h"

#include <algorithm>
#include <ostream>
#include <string_view>

#include "cli/image_commands.h"
#include "cli/settings_commands.h"
#include "common/version.h"
#include "settings/number_field.h"

namespace pixmosa::cli {

namespace {

struct CommandHelp {
    const char* name;
    const char* synopsis;     // after the command's name
    const char* description;  // lines of the listing, each indented by the listing
};

// Every command, as the usage lists it and as COMMAND --help shows it.
constexpr CommandHelp kCommands[] = {
    {"gallery", "[--open] [--keep-going] [--refresh]",
     "make the gallery: missing thumbnails, every page and the index page, which --open\n"
     "shows in the browser; --refresh also remakes the thumbnails older than their photos"},
    {"scan", "", "list the images of the image directory, then the pages needed"},
    {"thumbnails", "[--keep-going]", "make the thumbnail of every image"},
    {"rename", "PREFIX", "rename the images in list order to PREFIX01.jpg, PREFIX02.jpg..."},
    {"get", "NAME",
     "print a stored setting by its value name (its default when not stored), e.g.\n"
     "Columns, DocExtension, ThumbsDir"},
    {"set", "NAME VALUE",
     "store a setting; numbers, colours and switches (0 or 1) as decimal whole numbers,\n"
     "numbers clamped to their limits"},
    {"text", "get SECTION | set SECTION",
     "print a section of the text store, or store the lines of standard input as one"},
    {"banks", "list | add NAME | delete NAME", "list, add or delete the banner banks"},
};

constexpr const char* kOptions =
    "--image-dir DIR replaces the stored image directory for this call only; --jobs N makes\n"
    "thumbnails on N threads (one per processor when not given); --memory-limit MIB lets the\n"
    "decoders of all of them hold at most MIB mebibytes at once (half of the memory when not\n"
    "given), and refuses an image that alone needs more. --keep-going (gallery, thumbnails)\n"
    "leaves out an image that cannot be read, names it, goes on and exits with 1.\n"
    "PIXMOSA_REGISTRY and PIXMOSA_TEXT_STORE name other files for the settings and the\n"
    "page texts. pixmosa-cli --version prints the version; COMMAND --help one command's use.\n";

constexpr const char* kUsageStart =
    "usage: pixmosa-cli [--image-dir DIR] [--jobs N] [--memory-limit MIB] ";

void printIndented(std::ostream& stream, std::string_view text)
{
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        stream << "    " << text.substr(start, end - start) << '\n';
        start = end + 1;
    }
}

void printCommandHelp(std::ostream& stream, const CommandHelp& command)
{
    stream << kUsageStart << command.name;
    if (*command.synopsis != '\0') {
        stream << ' ' << command.synopsis;
    }
    stream << "\n\n";
    printIndented(stream, command.description);
    stream << '\n' << kOptions;
}

int badUsage(Context& context)
{
    printUsage(context.err);
    return kBadUsage;
}

constexpr std::int64_t kMaxJobs = 256;
// Mebibytes beyond this would overflow the limit in bytes.
constexpr std::int64_t kMaxMemoryLimit = std::int64_t{1} << 40;

int badOptionValue(std::string_view option, std::string_view value, const std::string& wanted,
                   Context& context)
{
    context.err << "pixmosa-cli: " << option << " takes " << wanted << ", not '" << value << "'\n";
    return badUsage(context);
}

}  // namespace

void printUsage(std::ostream& stream)
{
    stream << kUsageStart << "COMMAND [ARGUMENTS]\n\n";
    for (const CommandHelp& command : kCommands) {
        stream << "  " << command.name;
        if (*command.synopsis != '\0') {
            stream << ' ' << command.synopsis;
        }
        stream << '\n';
        printIndented(stream, command.description);
    }
    stream << '\n' << kOptions;
}

int runCommandLine(std::vector<std::string> arguments, Context& context)
{
    while (arguments.size() >= 2 && (arguments[0] == "--image-dir" || arguments[0] == "--jobs" ||
                                     arguments[0] == "--memory-limit")) {
        if (arguments[0] == "--image-dir") {
            context.imageDir = arguments[1];
        } else if (arguments[0] == "--jobs") {
            const std::optional<std::int64_t> jobs = parseWholeNumber(arguments[1]);
            if (!jobs || *jobs < 1 || *jobs > kMaxJobs) {
                return badOptionValue("--jobs", arguments[1],
                                      "a whole number from 1 to " + std::to_string(kMaxJobs),
                                      context);
            }
            context.thumbnailWork.workers = static_cast<unsigned>(*jobs);
        } else {
            const std::optional<std::int64_t> mebibytes = parseWholeNumber(arguments[1]);
            if (!mebibytes || *mebibytes < 1 || *mebibytes > kMaxMemoryLimit) {
                return badOptionValue(
                    "--memory-limit", arguments[1],
                    "a whole number of mebibytes from 1 to " + std::to_string(kMaxMemoryLimit),
                    context);
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
    if (count == 1 && arguments[0] == "--version") {
        context.out << "pixmosa-cli " << kProgramVersion << '\n';
        return kSuccess;
    }
    if (count == 0) {
        return badUsage(context);
    }
    const std::string& command = arguments[0];
    if (count == 2 && (arguments[1] == "--help" || arguments[1] == "-h")) {
        for (const CommandHelp& help : kCommands) {
            if (command == help.name) {
                printCommandHelp(context.out, help);
                return kSuccess;
            }
        }
        return badUsage(context);
    }
    const std::string sub = count > 1 ? arguments[1] : std::string();
    if (command == "scan" && count == 1) {
        return scanImages(context);
    }
    if (command == "gallery" || command == "thumbnails") {
        GalleryOptions options;
        for (std::size_t i = 1; i < count; ++i) {
            const std::string& option = arguments[i];
            if (option == "--keep-going") {
                context.thumbnailWork.keepGoing = true;
            } else if (command == "gallery" && option == "--open") {
                options.openIndexPage = true;
            } else if (command == "gallery" && option == "--refresh") {
                options.refresh = true;
            } else {
                return badUsage(context);
            }
        }
        return command == "gallery" ? makeGallery(options, context) : makeThumbnails(context);
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
