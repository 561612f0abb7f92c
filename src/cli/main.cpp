#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/locations.h"
#include "platform/registry_file.h"

int main(int argc, char** argv)
{
    pixmosa::RegistryFile registry(pixmosa::registryFilePath());
    // Names sort by the user's locale.
    std::setlocale(LC_ALL, "");
    pixmosa::cli::Context context{registry,  pixmosa::textStorePath(),    std::cin, std::cout,
                                  std::cerr, ::isatty(STDERR_FILENO) != 0};
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return pixmosa::cli::runCommandLine(arguments, context);
}
