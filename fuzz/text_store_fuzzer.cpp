// A text store of arbitrary bytes: loading never fails badly, and a section saved into it loads
// back as saved.
#include "common/text.h"
#include "fuzz/fuzz_files.h"
#include "settings/text_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pixmosa;
    const std::string& path = fuzz::scratchFile("Pixmosa.dat", data, size);
    (void)LoadText(path, "Gallery Header");
    (void)LoadText(path, "Banner Banks");
    const std::vector<std::string> lines{"<B>", "fuzzed " + std::to_string(size), "</B>"};
    if (SaveText(path, "Index Footer", lines).ok()) {
        const Result<std::string> loaded = LoadText(path, "Index Footer");
        fuzz::check(loaded.ok() && *loaded == joinLinesCrLf(lines), "a saved section loads back");
    }
    (void)DeleteText(path, "Index Footer");
    return 0;
}
