#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/locations.h"
#include "platform/registry_file.h"

int main(int argc, char** argv)
{
    pixmosa::RegistryFile registry(pixmosa::registryFilePath());
    pixmosa::cli::Context context{registry, pixmosa::textStorePath(), std::cin, std::cout,
                                  std::cerr};
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return pixmosa::cli::runCommandLine(arguments, context);
}
