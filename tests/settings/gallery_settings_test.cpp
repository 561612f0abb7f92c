#include "settings/gallery_settings.h"

#include <gtest/gtest.h>

#include <set>

#include "common/text.h"

namespace pixmosa {
namespace {

TEST(GallerySettingsTest, EveryStoredNameIsUniqueAndEveryDefaultLiesWithinItsLimits)
{
    std::set<std::string> storedNames;
    for (const FieldInfo& field : settingsFields()) {
        if (!field.storedName.empty()) {
            EXPECT_TRUE(storedNames.insert(asciiLower(field.storedName)).second)
                << field.storedName;
        }
        EXPECT_LE(field.minimum, field.defaultValue) << field.name;
        EXPECT_GE(field.maximum, field.defaultValue) << field.name;
        EXPECT_LE(field.minimum, field.initialValue) << field.name;
        EXPECT_GE(field.maximum, field.initialValue) << field.name;
        const int members =
            (field.text != nullptr) + (field.number != nullptr) + (field.flag != nullptr);
        EXPECT_EQ(members, 1) << field.name;
    }
}

TEST(GallerySettingsTest, StoredNamesDifferFromFieldNamesWhereTheWindowSaysSo)
{
    EXPECT_EQ(findFieldByStoredName("DocExtension")->name, "PageExt");
    EXPECT_EQ(findFieldByStoredName("Columns")->name, "Cols");
    EXPECT_EQ(findFieldByStoredName("columns")->name, "Cols");
    EXPECT_EQ(findFieldByStoredName("Index Footer")->name, "IndexFooter");
    EXPECT_EQ(findFieldByStoredName("Cols"), nullptr);
    EXPECT_EQ(findFieldByStoredName(""), nullptr);
}

TEST(GallerySettingsTest, InitialValuesAreThoseOfTheWindowBeforeTheLoad)
{
    const GallerySettings initial = GallerySettings::initial();

    EXPECT_EQ(initial.ThumbSize, 120);
    EXPECT_EQ(initial.CellPadding, 10);
    EXPECT_EQ(initial.IndexFile, "welcome.html");
    EXPECT_EQ(initial.ImageTitle, "");
    EXPECT_EQ(initial.Left, 330);
    EXPECT_EQ(initial.Top, 130);
    EXPECT_TRUE(initial.UseImageShell);
    EXPECT_EQ(initial.GalleryBackColor, 0x00800000);
    EXPECT_EQ(initial.ThumbFolder, "Thumbs/");
    EXPECT_EQ(initial.GalleryHeader,
              "<DIV ALIGN=\"center\"><P>\r\n"
              "<B><I><FONT SIZE=\"+3\">Picture Gallery</FONT></I></B>\r\n"
              "</DIV>\r\n");
    EXPECT_EQ(initial.ImageHeader, initial.GalleryHeader);
    EXPECT_EQ(splitLines(initial.IndexFooter).size(), 7u);
    EXPECT_EQ(splitLines(initial.IndexFooter)[3], "Click here to enter Gallery");
}

}  // namespace
}  // namespace pixmosa
