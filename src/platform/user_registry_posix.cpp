#include "platform/locations.h"
#include "platform/registry_file.h"
#include "platform/user_registry.h"

namespace pixmosa {

std::unique_ptr<Registry> openUserRegistry()
{
    return std::make_unique<RegistryFile>(registryFilePath());
}

}  // namespace pixmosa
