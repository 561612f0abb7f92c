#include "support/environment.h"

#include <cstdlib>

#ifdef _WIN32
#include "platform/wide_text.h"
#endif

namespace pixmosa::test {

void setEnvironment(const std::string& name, const std::string& value)
{
#ifdef _WIN32
    ::_wputenv_s(wideText(name).c_str(), wideText(value).c_str());
#else
    if (value.empty()) {
        ::unsetenv(name.c_str());
    } else {
        ::setenv(name.c_str(), value.c_str(), 1);
    }
#endif
}

}  // namespace pixmosa::test
