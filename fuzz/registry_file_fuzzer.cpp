// A registry file of arbitrary bytes: reading never fails badly, and every value written into it
// reads back, whatever lines stand around it, also after the file is read anew.
#include "fuzz/fuzz_files.h"
#include "platform/registry_document.h"
#include "platform/registry_file.h"
#include "settings/store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pixmosa;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RegistryDocument parsed = RegistryDocument::parse(bytes);
    (void)parsed.value("HKEY_CURRENT_USER\\" + std::string(kSettingsKey), "Rows");
    (void)RegistryDocument::parse(parsed.serialize());

    RegistryFile file(fuzz::scratchFile("registry.reg", data, size));
    (void)file.readValue(kSettingsKey, "ImageDir");
    const RegistryValue text =
        RegistryValue::text(bytes.substr(0, std::min<std::size_t>(size, 24)));
    const RegistryValue number =
        RegistryValue::dword(static_cast<std::int32_t>(size * 2654435761u));
    fuzz::check(file.writeValue(kSettingsKey, "Columns", number).ok(), "a value can be written");
    fuzz::check(file.writeValue(kSettingsKey, "ThumbPrefix", text).ok(), "a text can be written");
    fuzz::check(file.readValue(kSettingsKey, "Columns") == number, "a number written reads back");
    fuzz::check(file.readValue(kSettingsKey, "ThumbPrefix") == text, "a text written reads back");
    fuzz::check(file.writeValue(kSettingsKey, "Rows", RegistryValue::dword(3)).ok(),
                "a value again");
    fuzz::check(file.readValue(kSettingsKey, "Columns") == number, "an earlier value stays");
    return 0;
}
