// Writes a seed corpus for each fuzz target into DIR/<target>: a registry file and a text store
// as the program writes them, and JPEG photographs, one with an EXIF orientation and one with
// an ICC colour profile.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/registry_file.h"
#include "settings/store.h"
#include "settings/text_store.h"
#include "thumbs/jpeg_encoder.h"

namespace {

void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

// A picture whose neighbouring pixels differ, so every coefficient of the encoding is busy.
std::string photograph(std::uint32_t width, std::uint32_t height)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(i * 37 + i / 97);
    }
    return pixmosa::encodeThumbnailJpeg(width, height, pixels.data()).value();
}

// The JPEG with an APP1 EXIF segment right after its start, naming orientation 6.
std::string withOrientation(const std::string& jpeg)
{
    const std::string segment(
        "Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    std::string marker = "\xFF\xE1";
    marker += static_cast<char>((segment.size() + 2) >> 8);
    marker += static_cast<char>((segment.size() + 2) & 0xFF);
    return jpeg.substr(0, 2) + marker + segment + jpeg.substr(2);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = argv[1];
    for (const char* target :
         {"registry_file", "text_store", "text_sections", "jpeg_header", "thumbnail_maker"}) {
        fs::create_directories(root / target);
    }

    pixmosa::RegistryFile registry((root / "registry_file" / "registry.reg").string());
    (void)pixmosa::WriteStoreString(registry, pixmosa::kSettingsKey, "ImageDir",
                                    "/home/u/Pictures");
    (void)pixmosa::WriteStoreInteger(registry, pixmosa::kSettingsKey, "Columns", 5);
    (void)registry.writeValue(pixmosa::kSettingsKey, "Blob",
                              {pixmosa::RegistryType::Binary, std::string(40, '\x5A')});
    (void)registry.writeValue(pixmosa::kSettingsKey, "Path",
                              {pixmosa::RegistryType::ExpandString, std::string("%HOME%\0", 7)});

    // As another tool may leave it: a value continued over lines, the last still open.
    writeFile(root / "registry_file" / "continued.reg",
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa]\r\n"
              "\"Columns\"=dword:00000005\r\n\"Blob\"=hex:01,02,\\\r\n  03,04,\\\r\n");

    const std::string store = (root / "text_store" / "Pixmosa.dat").string();
    (void)pixmosa::SaveText(store, "Gallery Header", {"<H1>Trip</H1>", ""});
    (void)pixmosa::SaveText(store, "Banner Banks", {"Ads", "News"});
    (void)pixmosa::SaveText(store, "Ads", {"<B>Buy</B>", "", "It's here"});

    // Two texts split at a NUL, with lines that look like the store's own structure.
    const char structure[] =
        "<H1>Trip</H1>\r\n[Gallery Footer]\r\n####\r\n\\####\0[Ads] x\n\\\\[y]\n";
    writeFile(root / "text_sections" / "structure.txt",
              std::string(structure, sizeof structure - 1));

    const std::string plain = photograph(40, 30);
    // An RGB colour profile long enough to take two APP2 segments.
    std::vector<unsigned char> profile(70000, 0x5A);
    const std::string header = "RGB ";
    std::copy(header.begin(), header.end(), profile.begin() + 16);
    std::vector<unsigned char> pixels(40 * 30 * 3, 0x80);
    const std::string tagged = pixmosa::encodeThumbnailJpeg(40, 30, pixels.data(), profile).value();
    for (const char* target : {"jpeg_header", "thumbnail_maker"}) {
        writeFile(root / target / "tagged.jpg", tagged);
        writeFile(root / target / "landscape.jpg", plain);
        writeFile(root / target / "portrait.jpg", photograph(18, 32));
        writeFile(root / target / "turned.jpg", withOrientation(plain));
    }
    return 0;
}
