#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/version.h"
#include "platform/locations.h"
#include "platform/user_registry.h"
#include "window/close_on_signals.h"
#include "window/dialogs.h"
#include "window/main.h"

namespace {

constexpr const char* kHelp =
    "usage: pixmosa [--version | --help] [Qt options]\n"
    "\n"
    "Opens the Pixmosa window, which turns a folder of JPEG photographs into a static web\n"
    "gallery. pixmosa-cli runs the same commands without a window.\n"
    "PIXMOSA_REGISTRY and PIXMOSA_TEXT_STORE name other files for the settings and the\n"
    "page texts.\n";

}  // namespace

int main(int argc, char** argv)
{
    // Answered before the window system is asked for, so they work without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("pixmosa %s\n", pixmosa::kProgramVersion);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(pixmosa::kProgramTitle);
    QApplication::setApplicationVersion(pixmosa::kProgramVersion);
    // Qt sets the locale from the environment; names sort by the user's collation.
    std::setlocale(LC_COLLATE, "");

    const std::unique_ptr<pixmosa::Registry> registry = pixmosa::openUserRegistry();
    pixmosa::QtDialogs dialogs;
    pixmosa::TfrmMain frmMain(*registry, pixmosa::textStorePath(), dialogs);
    pixmosa::closeOnSignals(frmMain);
    frmMain.show();
    return QApplication::exec();
}
