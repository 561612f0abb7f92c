#include "fuzz/fuzz_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

namespace pixmosa::fuzz {

const std::string& scratchFile(std::string_view name, const std::uint8_t* data, std::size_t size)
{
    static std::map<std::string, std::string, std::less<>> paths;
    auto found = paths.find(name);
    if (found == paths.end()) {
        const char* temporary = std::getenv("TMPDIR");
        const std::string path = std::string(temporary != nullptr ? temporary : "/tmp") +
                                 "/pixmosa-fuzz-" + std::to_string(::getpid()) + "-" +
                                 std::string(name);
        found = paths.emplace(std::string(name), path).first;
    }
    std::ofstream out(found->second, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return found->second;
}

void check(bool holds, const char* promise)
{
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

}  // namespace pixmosa::fuzz
