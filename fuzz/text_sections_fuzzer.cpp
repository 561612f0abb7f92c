// Texts of arbitrary lines, stored as two sections of one store: each loads back exactly as it
// was saved, whatever the lines look like (section headers, end lines, backslashes), and saving
// one never changes the other.
#include <algorithm>
#include <cstdio>

#include "common/text.h"
#include "fuzz/fuzz_files.h"
#include "settings/text_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pixmosa;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const std::vector<std::string> header = splitLines(input.substr(0, split));
    const std::vector<std::string> footer =
        splitLines(split < input.size() ? input.substr(split + 1) : std::string());
    const std::string& path = fuzz::scratchFile("Sections.dat", nullptr, 0);
    std::remove(path.c_str());

    fuzz::check(SaveText(path, "Gallery Header", header).ok(), "a text is saved");
    fuzz::check(SaveText(path, "Gallery Footer", footer).ok(), "a second text is saved");
    fuzz::check(SaveText(path, "Gallery Header", header).ok(), "a text is saved again");
    const Result<std::string> loadedHeader = LoadText(path, "Gallery Header");
    const Result<std::string> loadedFooter = LoadText(path, "Gallery Footer");
    fuzz::check(loadedHeader.ok() && *loadedHeader == joinLinesCrLf(header),
                "the first text loads back exactly");
    fuzz::check(loadedFooter.ok() && *loadedFooter == joinLinesCrLf(footer),
                "the second text loads back exactly");
    return 0;
}
