#include <clocale>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/locations.h"
#include "platform/system.h"
#include "platform/user_registry.h"

int main(int argc, char** argv)
{
    const std::unique_ptr<pixmosa::Registry> registry = pixmosa::openUserRegistry();
    // Names sort by the user's locale.
    std::setlocale(LC_ALL, "");
    pixmosa::cli::Context context{*registry, pixmosa::textStorePath(),          std::cin, std::cout,
                                  std::cerr, pixmosa::standardErrorIsTerminal()};
    pixmosa::printUtf8ToConsole();
    return pixmosa::cli::runCommandLine(pixmosa::programArguments(argc, argv), context);
}
