#pragma once

#include <memory>

#include "platform/registry.h"

namespace pixmosa {

// The registry the user's settings live in: on Windows the system's own, on Linux a file in the
// registry's export format; PIXMOSA_REGISTRY names such a file on either, for tests and
// portable copies.
std::unique_ptr<Registry> openUserRegistry();

}  // namespace pixmosa
