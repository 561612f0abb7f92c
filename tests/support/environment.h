#pragma once

#include <string>

namespace pixmosa::test {

// Sets or, with an empty value, removes an environment variable of this process.
void setEnvironment(const std::string& name, const std::string& value);

}  // namespace pixmosa::test
