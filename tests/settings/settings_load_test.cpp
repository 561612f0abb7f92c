#include "settings/settings_load.h"

#include <gtest/gtest.h>

#include <map>

#include "common/text.h"
#include "settings/store.h"
#include "settings/text_store.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

// Keeps values in memory and records the order in which they are read.
class RecordingRegistry final : public Registry {
public:
    std::optional<RegistryValue> readValue(std::string_view key,
                                           std::string_view name) const override
    {
        EXPECT_EQ(key, kSettingsKey);
        reads.emplace_back(name);
        const auto found = values.find(std::string(name));
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }

    Status writeValue(std::string_view, std::string_view name, const RegistryValue& value) override
    {
        values[std::string(name)] = value;
        return Status::success();
    }

    std::map<std::string, RegistryValue> values;
    mutable std::vector<std::string> reads;
};

class SettingsLoadTest : public ::testing::Test {
protected:
    SettingsLoad load() const { return LoadGallerySettings(registry, store); }
    void setText(std::string_view name, std::string_view text)
    {
        ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, name, text).ok());
    }
    void setNumber(std::string_view name, std::int32_t value)
    {
        ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, name, value).ok());
    }
    void saveSection(std::string_view section, const std::vector<std::string>& lines) const
    {
        ASSERT_TRUE(SaveText(store, section, lines).ok());
    }

    TempDir dir;
    std::string store = dir.path("Pixmosa.dat");
    RecordingRegistry registry;
};

TEST_F(SettingsLoadTest, FirstStartShowsTheDefaultsAndTheInitialPageTexts)
{
    const SettingsLoad loaded = load();
    const GallerySettings& s = loaded.settings;

    EXPECT_TRUE(loaded.complete());
    EXPECT_EQ(s.ThumbSize, 100);
    EXPECT_EQ(s.CellPadding, 20);
    EXPECT_EQ(s.IndexFile, "index.html");
    EXPECT_EQ(s.ImageTitle, "Picture Gallery");
    EXPECT_EQ(s.Left, 200);
    EXPECT_EQ(s.Top, 150);
    EXPECT_EQ(s.ImageDir, "");
    EXPECT_EQ(s.PageExt, "html");
    EXPECT_EQ(s.ThumbFolder, test::nativeSeparators("Thumbs/"));
    EXPECT_EQ(s.GalleryHeader, GallerySettings::initial().GalleryHeader);
    EXPECT_EQ(s.IndexFooter, GallerySettings::initial().IndexFooter);
    EXPECT_TRUE(loaded.banks.names().empty());
    EXPECT_FALSE(loaded.banks.chosen().has_value());
    EXPECT_FALSE(dir.exists("Pixmosa.dat"));
}

TEST_F(SettingsLoadTest, ValuesAreReadInTheWindowsLoadOrder)
{
    (void)load();

    const std::vector<std::string> expected{"Top",
                                            "Left",
                                            "Sorted",
                                            "DefaultColors",
                                            "UseImageShell",
                                            "UseGalleryColors",
                                            "DisablePageLinks",
                                            "DisableBanner",
                                            "ImageDir",
                                            "ThumbsDir",
                                            "ThumbPrefix",
                                            "IndexFile",
                                            "IndexTitle",
                                            "ThumbSize",
                                            "CellSpacing",
                                            "CellPadding",
                                            "TableBorder",
                                            "Rows",
                                            "Columns",
                                            "TableBackImage",
                                            "GalleryPrefix",
                                            "DocExtension",
                                            "GalleryBackImage",
                                            "GalleryTitle",
                                            "ImageTitle",
                                            "TableBackColor",
                                            "GalleryForeColor",
                                            "GalleryBackColor",
                                            "GalleryLinkColor",
                                            "GalleryVisitedLinkColor",
                                            "GalleryActiveLinkColor",
                                            "ImageForeColor",
                                            "ImageBackColor",
                                            "ImageLinkColor",
                                            "ImageVisitedLinkColor",
                                            "ImageActiveLinkColor"};
    EXPECT_EQ(registry.reads, expected);
}

TEST_F(SettingsLoadTest, StoredNumbersAreClampedAndStoredTextsUsedUnchanged)
{
    setNumber("ThumbSize", 1000);
    setNumber("Rows", 0);
    setNumber("Top", -5000);
    setNumber("GalleryBackColor", 0x00123456);
    setText("ThumbsDir", "  Thumbs  ");
    setText("ImageTitle", "");

    const GallerySettings s = load().settings;

    EXPECT_EQ(s.ThumbSize, 400);
    EXPECT_EQ(s.Rows, 1);
    EXPECT_EQ(s.Top, -5000);
    EXPECT_EQ(s.GalleryBackColor, 0x00123456);
    EXPECT_EQ(s.ThumbsDir, "  Thumbs  ");
    EXPECT_EQ(s.ThumbFolder, test::nativeSeparators("Thumbs/"));
    EXPECT_EQ(s.ImageTitle, "");
}

TEST_F(SettingsLoadTest, EmptyThumbsDirPutsThumbnailsBesideTheImages)
{
    setText("ThumbsDir", "");
    EXPECT_EQ(load().settings.ThumbFolder, "");
}

TEST_F(SettingsLoadTest, ValueOfTheWrongTypeStopsTheLoadThere)
{
    setText("IndexFile", "start.html");
    setNumber("CellPadding", 7);
    setText("Rows", "5");
    setNumber("Columns", 9);
    setText("ImageTitle", "Mine");
    setNumber("ImageBackColor", 1);
    saveSection("Gallery Header", {"stored header"});
    saveSection("Banner Banks", {"Spring"});
    saveSection("Spring", {"<B>banner</B>"});

    const SettingsLoad loaded = load();
    const GallerySettings& s = loaded.settings;
    const GallerySettings initial = GallerySettings::initial();

    ASSERT_FALSE(loaded.complete());
    EXPECT_EQ(*loaded.error, "Invalid data type for 'Rows'");
    EXPECT_EQ(registry.reads.back(), "Rows");
    EXPECT_EQ(s.IndexFile, "start.html");
    EXPECT_EQ(s.CellPadding, 7);
    EXPECT_EQ(s.Rows, initial.Rows);
    EXPECT_EQ(s.Cols, initial.Cols);
    EXPECT_EQ(s.ImageTitle, initial.ImageTitle);
    EXPECT_EQ(s.ImageBackColor, initial.ImageBackColor);
    EXPECT_EQ(s.GalleryHeader, initial.GalleryHeader);
    EXPECT_TRUE(loaded.banks.names().empty());
    EXPECT_FALSE(loaded.banks.chosen().has_value());
    EXPECT_EQ(s.BannerCode, "");
}

TEST_F(SettingsLoadTest, LoadStoppedBeforeIndexFileLeavesTheWindowsInitialName)
{
    setText("Sorted", "yes");

    const SettingsLoad loaded = load();

    EXPECT_EQ(*loaded.error, "Invalid data type for 'Sorted'");
    EXPECT_EQ(loaded.settings.IndexFile, "welcome.html");
    EXPECT_EQ(loaded.settings.ThumbSize, 120);
}

TEST_F(SettingsLoadTest, NumberOfTheWrongLengthStopsTheLoadThere)
{
    ASSERT_TRUE(registry
                    .writeValue(kSettingsKey, "TableBackColor",
                                RegistryValue{RegistryType::Dword, std::string(8, '\0')})
                    .ok());
    setNumber("ImageForeColor", 0x00123456);

    const SettingsLoad loaded = load();

    EXPECT_EQ(*loaded.error, "Failed to get data for 'TableBackColor'");
    EXPECT_EQ(loaded.settings.ImageTitle, "Picture Gallery");
    EXPECT_EQ(loaded.settings.ImageForeColor, GallerySettings::initial().ImageForeColor);
}

TEST_F(SettingsLoadTest, PageTextsComeFromTheStoreAndAMissingSectionIsEmpty)
{
    saveSection("Gallery Header", {"<H1>Mine</H1>"});
    saveSection("Header Code", {"<META>", ""});

    const GallerySettings s = load().settings;

    EXPECT_EQ(s.GalleryHeader, "<H1>Mine</H1>\r\n");
    EXPECT_EQ(s.HeaderCode, "<META>\r\n\r\n");
    EXPECT_EQ(s.IndexFooter, "");
    EXPECT_EQ(s.IndexHeader, "");
}

TEST_F(SettingsLoadTest, FirstBankIsChosenWithItsLines)
{
    saveSection("Banner Banks", {"Spring", "Autumn"});
    saveSection("Autumn", {"leaves"});
    saveSection("Spring", {"<I>one</I>", "", "<I>two</I>"});

    const SettingsLoad loaded = load();

    EXPECT_EQ(loaded.banks.names(), (std::vector<std::string>{"Spring", "Autumn"}));
    EXPECT_EQ(loaded.banks.chosenName(), "Spring");
    EXPECT_EQ(loaded.settings.BannerCode, "<I>one</I>\r\n\r\n<I>two</I>\r\n");
}

}  // namespace
}  // namespace pixmosa
