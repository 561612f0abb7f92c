#include "platform/locations.h"
#include "platform/registry_file.h"
#include "platform/registry_windows.h"
#include "platform/user_registry.h"

namespace pixmosa {

std::unique_ptr<Registry> openUserRegistry()
{
    if (!environmentVariable("PIXMOSA_REGISTRY").empty()) {
        return std::make_unique<RegistryFile>(registryFilePath());
    }
    return std::make_unique<WindowsRegistry>();
}

}  // namespace pixmosa
