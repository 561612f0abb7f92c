#include <QApplication>
#include <clocale>

#include "common/version.h"
#include "platform/locations.h"
#include "platform/registry_file.h"
#include "window/close_on_signals.h"
#include "window/dialogs.h"
#include "window/main.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(pixmosa::kProgramTitle);
    QApplication::setApplicationVersion(pixmosa::kProgramVersion);
    // Qt sets the locale from the environment; names sort by the user's collation.
    std::setlocale(LC_COLLATE, "");

    pixmosa::RegistryFile registry(pixmosa::registryFilePath());
    pixmosa::QtDialogs dialogs;
    pixmosa::TfrmMain frmMain(registry, pixmosa::textStorePath(), dialogs);
    pixmosa::closeOnSignals(frmMain);
    frmMain.show();
    return QApplication::exec();
}
