#include "settings/gallery_settings.h"

#include <gtest/gtest.h>

#include <set>

#include "common/text.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

// The documented rows name their fields by the names the table gives them.
const FieldInfo& fieldNamed(std::string_view name)
{
    for (const FieldInfo& field : settingsFields()) {
        if (field.name == name) {
            return field;
        }
    }
    ADD_FAILURE() << "no field named " << name;
    return settingsFields().front();
}

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

struct Row {
    const char* name;
    const char* control;
    const char* storedName;
    const char* defaultText;
    const char* initialText;
};

TEST(GallerySettingsTest, TextFieldsHaveTheirDocumentedNamesAndStartingValues)
{
    const Row rows[] = {
        {"ImageDir", "ImageDir", "ImageDir", "", ""},
        {"ThumbsDir", "ThumbsDir", "ThumbsDir", "Thumbs", "Thumbs"},
        {"ThumbPrefix", "ThumbPrefix", "ThumbPrefix", "Thumb-", "Thumb-"},
        {"TableBackImage", "TableBackImage", "TableBackImage", "", ""},
        {"GalleryPrefix", "GalleryPrefix", "GalleryPrefix", "Gallery", "Gallery"},
        {"PageExt", "PageExt", "DocExtension", "html", "html"},
        {"GalleryBackImage", "GalleryBackImage", "GalleryBackImage", "", ""},
        {"GalleryTitle", "GalleryTitle", "GalleryTitle", "Picture Gallery", "Picture Gallery"},
        {"ImageTitle", "ImageTitle", "ImageTitle", "Picture Gallery", ""},
        {"IndexFile", "IndexFile", "IndexFile", "index.html", "welcome.html"},
        {"IndexTitle", "IndexTitle", "IndexTitle", "Picture Gallery Index",
         "Picture Gallery Index"},
    };
    for (const Row& row : rows) {
        const FieldInfo& field = fieldNamed(row.name);
        EXPECT_EQ(field.kind, FieldKind::Text) << row.name;
        EXPECT_EQ(field.control, row.control) << row.name;
        EXPECT_EQ(field.storedName, row.storedName) << row.name;
        EXPECT_EQ(field.defaultText, row.defaultText) << row.name;
        EXPECT_EQ(field.initialText, row.initialText) << row.name;
    }
}

TEST(GallerySettingsTest, NumberColourSwitchAndPositionFieldsHaveTheirDocumentedValues)
{
    const struct {
        const char* name;
        const char* control;
        const char* storedName;
        FieldKind kind;
        std::int32_t defaultValue, initialValue, minimum, maximum;
    } rows[] = {
        {"ThumbSize", "ThumbSize", "ThumbSize", FieldKind::Number, 100, 120, 1, 400},
        {"Rows", "Rows", "Rows", FieldKind::Number, 2, 2, 1, 100},
        {"Cols", "Cols", "Columns", FieldKind::Number, 5, 5, 1, 100},
        {"CellSpacing", "CellSpacing", "CellSpacing", FieldKind::Number, 0, 0, 0, 100},
        {"CellPadding", "CellPadding", "CellPadding", FieldKind::Number, 20, 10, 0, 100},
        {"TableBorder", "TableBorder", "TableBorder", FieldKind::Number, 5, 5, 0, 100},
        {"TableBackColor", "butTableBackColor", "TableBackColor", FieldKind::Colour, 12632256,
         12632256, INT32_MIN, INT32_MAX},
        {"GalleryForeColor", "butGalleryForeColor", "GalleryForeColor", FieldKind::Colour, 16776960,
         16776960, INT32_MIN, INT32_MAX},
        {"GalleryBackColor", "butGalleryBackColor", "GalleryBackColor", FieldKind::Colour, 8388608,
         8388608, INT32_MIN, INT32_MAX},
        {"GalleryLinkColor", "butGalleryLinkColor", "GalleryLinkColor", FieldKind::Colour, 65280,
         65280, INT32_MIN, INT32_MAX},
        {"GalleryVisitedLinkColor", "butGalleryVisitedLinkColor", "GalleryVisitedLinkColor",
         FieldKind::Colour, 65535, 65535, INT32_MIN, INT32_MAX},
        {"GalleryActiveLinkColor", "butGalleryActiveLinkColor", "GalleryActiveLinkColor",
         FieldKind::Colour, 255, 255, INT32_MIN, INT32_MAX},
        {"ImageForeColor", "butImageForeColor", "ImageForeColor", FieldKind::Colour, 0, 0,
         INT32_MIN, INT32_MAX},
        {"ImageBackColor", "butImageBackColor", "ImageBackColor", FieldKind::Colour, 16777215,
         16777215, INT32_MIN, INT32_MAX},
        {"ImageLinkColor", "butImageLinkColor", "ImageLinkColor", FieldKind::Colour, 16711680,
         16711680, INT32_MIN, INT32_MAX},
        {"ImageVisitedLinkColor", "butImageVisitedLinkColor", "ImageVisitedLinkColor",
         FieldKind::Colour, 128, 128, INT32_MIN, INT32_MAX},
        {"ImageActiveLinkColor", "butImageActiveLinkColor", "ImageActiveLinkColor",
         FieldKind::Colour, 255, 255, INT32_MIN, INT32_MAX},
        {"Sorted", "chkSort", "Sorted", FieldKind::Switch, 0, 0, INT32_MIN, INT32_MAX},
        {"DefaultColors", "chkDefColors", "DefaultColors", FieldKind::Switch, 0, 0, INT32_MIN,
         INT32_MAX},
        {"UseImageShell", "chkImageShell", "UseImageShell", FieldKind::Switch, 1, 1, INT32_MIN,
         INT32_MAX},
        {"UseGalleryColors", "UseGalleryCols", "UseGalleryColors", FieldKind::Switch, 1, 1,
         INT32_MIN, INT32_MAX},
        {"DisablePageLinks", "DisablePageLinks", "DisablePageLinks", FieldKind::Switch, 0, 0,
         INT32_MIN, INT32_MAX},
        {"DisableBanner", "DisableBanner", "DisableBanner", FieldKind::Switch, 0, 0, INT32_MIN,
         INT32_MAX},
        {"Top", "frmMain", "Top", FieldKind::Position, 150, 130, INT32_MIN, INT32_MAX},
        {"Left", "frmMain", "Left", FieldKind::Position, 200, 330, INT32_MIN, INT32_MAX},
    };
    for (const auto& row : rows) {
        const FieldInfo& field = fieldNamed(row.name);
        EXPECT_EQ(field.kind, row.kind) << row.name;
        EXPECT_EQ(field.control, row.control) << row.name;
        EXPECT_EQ(field.storedName, row.storedName) << row.name;
        EXPECT_EQ(field.defaultValue, row.defaultValue) << row.name;
        EXPECT_EQ(field.initialValue, row.initialValue) << row.name;
        EXPECT_EQ(field.minimum, row.minimum) << row.name;
        EXPECT_EQ(field.maximum, row.maximum) << row.name;
    }
}

TEST(GallerySettingsTest, PageTextsAreStoredInTheirSections)
{
    const Row rows[] = {
        {"GalleryHeader", "GalleryHeader", "Gallery Header", "", nullptr},
        {"GalleryFooter", "GalleryFooter", "Gallery Footer", "", ""},
        {"ImageHeader", "ImageHeader", "Image Header", "", nullptr},
        {"ImageFooter", "ImageFooter", "Image Footer", "", ""},
        {"IndexHeader", "IndexHeader", "Index Header", "", nullptr},
        {"IndexFooter", "IndexFooter", "Index Footer", "", nullptr},
        {"HeaderCode", "HeaderCode", "Header Code", "", ""},
    };
    for (const Row& row : rows) {
        const FieldInfo& field = fieldNamed(row.name);
        EXPECT_EQ(field.kind, FieldKind::MultiLineText) << row.name;
        EXPECT_EQ(field.control, row.control) << row.name;
        EXPECT_EQ(field.storedName, row.storedName) << row.name;
        EXPECT_EQ(field.defaultText, row.defaultText) << row.name;
        if (row.initialText != nullptr) {
            EXPECT_EQ(field.initialText, row.initialText) << row.name;
        }
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
    EXPECT_EQ(initial.ThumbFolder, test::nativeSeparators("Thumbs/"));
    EXPECT_EQ(initial.GalleryHeader,
              "<DIV ALIGN=\"center\"><P>\r\n"
              "<B><I><FONT SIZE=\"+3\">Picture Gallery</FONT></I></B>\r\n"
              "</DIV>");
    EXPECT_EQ(initial.ImageHeader, initial.GalleryHeader);
    EXPECT_EQ(splitLines(initial.IndexFooter).size(), 7u);
    EXPECT_EQ(splitLines(initial.IndexFooter)[3], "Click here to enter Gallery");
}

}  // namespace
}  // namespace pixmosa
