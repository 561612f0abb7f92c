// Writes a seed corpus for each fuzz target into DIR/<target>: a registry file and a text store
// as the program writes them, and JPEG photographs, one with an EXIF orientation, one with an
// ICC colour profile and one with a restart marker at every row.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
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

// A baseline photograph with a restart marker at the end of every row of MCUs, as phones write
// them, so thumbnails of it decode only the rows they sample.
std::string markedPhotograph(int width, int height)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    info.restart_in_rows = 1;
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            row[i] = static_cast<unsigned char>(i * 13 + info.next_scanline * 7);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
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
    const std::string marked = markedPhotograph(64, 640);
    for (const char* target : {"jpeg_header", "thumbnail_maker"}) {
        writeFile(root / target / "marked.jpg", marked);
        writeFile(root / target / "tagged.jpg", tagged);
        writeFile(root / target / "landscape.jpg", plain);
        writeFile(root / target / "portrait.jpg", photograph(18, 32));
        writeFile(root / target / "turned.jpg", withOrientation(plain));
    }
    return 0;
}
