#include "cli/image_commands.h"

#include <ostream>

#include "catalogue/image_rename.h"
#include "catalogue/image_scan.h"
#include "cli/progress_printer.h"
#include "common/paths.h"
#include "generator/gallery_run.h"
#include "generator/page_plan.h"
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
    void openPage(const std::string& path) override
    {
        if (m_open) {
            openWithDesktop(path);
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
        context.out << image << '\n';
    }
    const PagesRequired pages = computePagesRequired(images.size(), settings.Rows, settings.Cols);
    context.out << pagesRequiredText(images.size(), pages.pageCount) << '\n';
}

int fail(const std::string& message, Context& context)
{
    context.err << message << '\n';
    return kFailure;
}

int exitCodeOf(CommandEnd end, const GallerySettings& settings, Context& context)
{
    switch (end) {
    case CommandEnd::Finished:
        return kSuccess;
    case CommandEnd::NoImageDirectory:
        return fail("The image directory '" + settings.ImageDir + "' does not exist", context);
    case CommandEnd::NoImages:
        return kFailure;
    }
    return kFailure;
}

}  // namespace

int scanImages(Context& context)
{
    const Result<GallerySettings> settings = loadSettings(context);
    if (!settings) {
        return fail(settings.message(), context);
    }
    printList(ScanImages(settings->ImageDir, settings->Sorted), *settings, context);
    return kSuccess;
}

int makeThumbnails(Context& context)
{
    const Result<GallerySettings> settings = loadSettings(context);
    if (!settings) {
        return fail(settings.message(), context);
    }
    const std::vector<std::string> images = ScanImages(settings->ImageDir, settings->Sorted);
    Result<CommandEnd> end = Result<CommandEnd>::failure({});
    {
        ProgressPrinter printer(context.err, context.errIsTerminal);
        end = MakeThumbnails(*settings, images, printer, context.jobs);
    }
    if (!end) {
        return fail(end.message(), context);
    }
    return exitCodeOf(*end, *settings, context);
}

int makeGallery(bool openIndexPage, Context& context)
{
    Result<SettingsLoad> loaded = loadEverything(context);
    if (!loaded) {
        return fail(loaded.message(), context);
    }
    GalleryInputs inputs{loaded->settings,
                         ScanImages(loaded->settings.ImageDir, loaded->settings.Sorted),
                         loaded->banks.names(), context.textStorePath, context.jobs};
    TimeSeededDraw draw;
    const StandardSystemColours colours;
    Result<CommandEnd> end = Result<CommandEnd>::failure({});
    {
        GalleryPrinter printer(context.err, context.errIsTerminal, openIndexPage);
        end = RunGallery(inputs, printer, draw, colours);
    }
    if (!end) {
        return fail(end.message(), context);
    }
    return exitCodeOf(*end, inputs.settings, context);
}

int renameImages(const std::string& prefix, Context& context)
{
    const Result<GallerySettings> settings = loadSettings(context);
    if (!settings) {
        return fail(settings.message(), context);
    }
    std::vector<std::string> images = ScanImages(settings->ImageDir, settings->Sorted);
    const std::size_t refused = RenameImages(settings->ImageDir, images, prefix);
    printList(images, *settings, context);
    if (refused > 0) {
        context.err << refused << " of " << images.size()
                    << " images kept their names: their new names were taken or not allowed\n";
    }
    return kSuccess;
}

}  // namespace pixmosa::cli
