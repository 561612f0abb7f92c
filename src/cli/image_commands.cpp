#include "cli/image_commands.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include "catalogue/image_folder_lock.h"
#include "catalogue/image_rename.h"
#include "catalogue/image_scan.h"
#include "cli/printable_name.h"
#include "cli/progress_printer.h"
#include "common/paths.h"
#include "generator/gallery_run.h"
#include "generator/page_plan.h"
#include "platform/file_system.h"
#include "platform/shell_open.h"
#include "settings/settings_load.h"
#include "thumbs/make_thumbnails.h"

namespace pixmosa::cli {

namespace {

// The settings and banks as the window's load reads them, with the image directory of the
// command line.
Result<SettingsLoad> loadEverything(const Context& context)
{
    SettingsLoad load = LoadGallerySettings(context.registry, context.textStorePath);
    if (!load.complete()) {
        return Result<SettingsLoad>::failure(*load.error);
    }
    if (context.imageDir) {
        load.settings.ImageDir = *context.imageDir;
    }
    return load;
}

Result<GallerySettings> loadSettings(const Context& context)
{
    Result<SettingsLoad> load = loadEverything(context);
    if (!load) {
        return load.status();
    }
    return std::move(load).value().settings;
}

class GalleryPrinter final : public GalleryObserver {
public:
    GalleryPrinter(std::ostream& err, bool terminal, bool open)
        : m_printer(err, terminal), m_open(open)
    {
    }
    void status(std::string_view text) override { m_printer.status(text); }
    void progress(std::size_t done, std::size_t total) override { m_printer.progress(done, total); }
    void breathe() override {}
    void beep() override {}
    void message(std::string_view text) override { m_printer.message(text); }
    void leftOut(std::string_view error) override { m_printer.leftOut(error); }
    void warning(std::string_view text) override { m_printer.warning(text); }
    int summarize(std::size_t imageCount) { return m_printer.summarize(imageCount); }
    void openPage(const std::string& path) override
    {
        if (m_open) {
            if (const Status opened = openWithDesktop(path); !opened) {
                m_printer.message(browserFailureText(path, opened.message()));
            }
        }
    }

private:
    ProgressPrinter m_printer;
    bool m_open;
};

int exitCodeOf(CommandEnd end, const GallerySettings& settings, Context& context);

void printList(const std::vector<std::string>& images, const GallerySettings& settings,
               Context& context)
{
    for (const std::string& image : images) {
        context.out << printableName(image) << '\n';
    }
    const PagesRequired pages = computePagesRequired(images.size(), settings.Rows, settings.Cols);
    context.out << pagesRequiredText(images.size(), pages.pageCount) << '\n';
}

int fail(const std::string& message, Context& context)
{
    context.err << message << '\n';
    return kFailure;
}

// What keeps an image command from its image directory, said as the command line says it;
// the window stays silent there.
std::optional<std::string> imageDirectoryProblem(const GallerySettings& settings)
{
    const std::string directory = withTrailingSeparator(settings.ImageDir);
    if (directoryExists(directory)) {
        return std::nullopt;
    }
    const std::string named = "The image directory '" + settings.ImageDir + "' ";
    if (const Status found = lookUp(directory); !found && found.kind() != ErrorKind::NotFound) {
        // The failure says "directory: reason"; the reason is what is said here.
        return named + "cannot be read: " + found.message().substr(directory.size() + 2);
    }
    return named + (fileExists(settings.ImageDir) ? "is not a directory" : "does not exist");
}

int exitCodeOf(CommandEnd end, const GallerySettings& settings, Context& context)
{
    switch (end) {
    case CommandEnd::Finished:
        return kSuccess;
    case CommandEnd::NoImageDirectory:
        return fail(imageDirectoryProblem(settings).value_or(settings.ImageDir), context);
    case CommandEnd::NoImages:
    case CommandEnd::Stopped:
        return kFailure;
    }
    return kFailure;
}

// The image list as the window's scan makes it; a directory that cannot be read is an error
// here, where the window stays silent.
Result<std::vector<std::string>> scannedImages(const GallerySettings& settings, Context& context,
                                               int& exitCode)
{
    Result<std::vector<std::string>> images =
        readImageDirectory(settings.ImageDir, settings.Sorted);
    if (!images) {
        exitCode = fail(images.message(), context);
    }
    return images;
}

// The image directory's lock, waited for while another command holds it, and the image list
// scanned once it is held, so the list is the folder as the command finds it. A directory that
// cannot be read is told through the observer, whose line may be open.
struct LockedImages {
    FolderLock folder;
    std::vector<std::string> images;
};

Result<LockedImages> lockAndScan(const GallerySettings& settings, CommandObserver& observer)
{
    std::optional<FolderLock> folder = lockImageDirectory(settings.ImageDir, observer);
    if (!folder) {
        return Result<LockedImages>::failure(waitingForFolderText(settings.ImageDir));
    }
    Result<std::vector<std::string>> images =
        readImageDirectory(settings.ImageDir, settings.Sorted);
    if (!images) {
        observer.message(images.message());
        return images.status();
    }
    return LockedImages{std::move(*folder), std::move(images).value()};
}

// The settings of an image command, or the exit code of why it cannot start.
Result<GallerySettings> imageCommandSettings(Context& context, int& exitCode)
{
    Result<GallerySettings> settings = loadSettings(context);
    if (!settings) {
        exitCode = fail(settings.message(), context);
        return settings;
    }
    if (const std::optional<std::string> problem = imageDirectoryProblem(*settings)) {
        exitCode = fail(*problem, context);
        return Result<GallerySettings>::failure(*problem);
    }
    return settings;
}

}  // namespace

int scanImages(Context& context)
{
    int exitCode = kFailure;
    const Result<GallerySettings> settings = imageCommandSettings(context, exitCode);
    if (!settings) {
        return exitCode;
    }
    const Result<std::vector<std::string>> images = scannedImages(*settings, context, exitCode);
    if (!images) {
        return exitCode;
    }
    printList(*images, *settings, context);
    return kSuccess;
}

int makeThumbnails(Context& context)
{
    int exitCode = kFailure;
    const Result<GallerySettings> settings = imageCommandSettings(context, exitCode);
    if (!settings) {
        return exitCode;
    }
    Result<CommandEnd> end = Result<CommandEnd>::failure({});
    int leftOut = kSuccess;
    {
        ProgressPrinter printer(context.err, context.errIsTerminal);
        const Result<LockedImages> locked = lockAndScan(*settings, printer);
        if (!locked) {
            return kFailure;
        }
        end = MakeThumbnails(locked->folder, *settings, locked->images, printer,
                             context.thumbnailWork);
        leftOut = printer.summarize(locked->images.size());
    }
    if (!end) {
        return fail(end.message(), context);
    }
    return std::max(exitCodeOf(*end, *settings, context), leftOut);
}

int makeGallery(const GalleryOptions& options, Context& context)
{
    Result<SettingsLoad> loaded = loadEverything(context);
    if (!loaded) {
        return fail(loaded.message(), context);
    }
    if (const std::optional<std::string> problem = imageDirectoryProblem(loaded->settings)) {
        return fail(*problem, context);
    }
    GalleryInputs inputs{
        loaded->settings, {}, loaded->banks.names(), context.textStorePath, context.thumbnailWork};
    inputs.refresh = options.refresh;
    TimeSeededDraw draw;
    const StandardSystemColours colours;
    Result<CommandEnd> end = Result<CommandEnd>::failure({});
    int leftOut = kSuccess;
    {
        GalleryPrinter printer(context.err, context.errIsTerminal, options.openIndexPage);
        Result<LockedImages> locked = lockAndScan(inputs.settings, printer);
        if (!locked) {
            return kFailure;
        }
        LockedImages held = std::move(locked).value();
        inputs.images = std::move(held.images);
        end = RunGallery(held.folder, inputs, printer, draw, colours);
        leftOut = printer.summarize(inputs.images.size());
    }
    if (!end) {
        return fail(end.message(), context);
    }
    return std::max(exitCodeOf(*end, inputs.settings, context), leftOut);
}

int renameImages(const std::string& prefix, Context& context)
{
    int exitCode = kFailure;
    const Result<GallerySettings> settings = imageCommandSettings(context, exitCode);
    if (!settings) {
        return exitCode;
    }
    ProgressPrinter printer(context.err, context.errIsTerminal);
    Result<LockedImages> locked = lockAndScan(*settings, printer);
    if (!locked) {
        return kFailure;
    }
    LockedImages held = std::move(locked).value();
    const std::vector<RefusedRename> refused =
        RenameImages(held.folder, settings->ImageDir, held.images, prefix);
    printList(held.images, *settings, context);
    for (const RefusedRename& refusal : refused) {
        printer.message(refusal.message);
    }
    return refused.empty() ? kSuccess : kFailure;
}

}  // namespace pixmosa::cli
