#include "platform/registry_document.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

constexpr std::string_view kKey = "HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa";

TEST(RegistryDocumentTest, NewDocumentIsARegedit4Export)
{
    RegistryDocument document = RegistryDocument::parse("");
    document.setValue(kKey, "ThumbsDir", RegistryValue::text("C:\\Pics \"x\""));
    document.setValue(kKey, "Columns", RegistryValue::dword(10));

    EXPECT_EQ(document.serialize(),
              "REGEDIT4\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa]\r\n"
              "\"ThumbsDir\"=\"C:\\\\Pics \\\"x\\\"\"\r\n"
              "\"Columns\"=dword:0000000a\r\n"
              "\r\n");
}

TEST(RegistryDocumentTest, ValuesReadBackWithTheirTypes)
{
    const RegistryDocument document = RegistryDocument::parse(
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa]\n"
        "\"Name\"=\"a \\\"quoted\\\" \\\\ text\"\n"
        "\"Negative\"=dword:ffffffff\n"
        "\"Path\"=hex(2):25,00\n"
        "\"Blob\"=hex:01,02,\\\n  03\n"
        "@=\"default\"\n");

    EXPECT_EQ(document.value(kKey, "Name"), RegistryValue::text("a \"quoted\" \\ text"));
    EXPECT_EQ(document.value(kKey, "Negative"), RegistryValue::dword(-1));
    EXPECT_EQ(document.value(kKey, "Path"),
              (RegistryValue{RegistryType::ExpandString, std::string("%\0", 2)}));
    EXPECT_EQ(document.value(kKey, "Blob"), (RegistryValue{RegistryType::Binary, "\1\2\3"}));
    EXPECT_EQ(document.value(kKey, ""), RegistryValue::text("default"));
}

TEST(RegistryDocumentTest, KeysAndValueNamesMatchWithoutRegardToCase)
{
    const RegistryDocument document = RegistryDocument::parse(
        "REGEDIT4\r\n\r\n[hkey_current_user\\software\\brevant software\\PIXMOSA]\r\n"
        "\"ROWS\"=dword:00000003\r\n");

    EXPECT_EQ(document.value(kKey, "Rows"), RegistryValue::dword(3));
    EXPECT_FALSE(document.value(std::string(kKey) + "\\Sub", "Rows").has_value());
}

TEST(RegistryDocumentTest, UnknownKeysValuesAndLinesSurviveAWrite)
{
    const std::string original =
        "REGEDIT4\r\n"
        "; a comment\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
        "\"Kept\"=hex(7):61,00,00,00\r\n"
        "\"Wrapped\"=hex:01,02,\\\r\n"
        "  03\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa]\r\n"
        "\"Unknown\"=\"stays\"\r\n"
        "\"Rows\"=dword:00000002\r\n"
        "\r\n";
    RegistryDocument document = RegistryDocument::parse(original);

    document.setValue(kKey, "Rows", RegistryValue::dword(4));
    document.setValue(kKey, "Columns", RegistryValue::dword(6));

    std::string expected = original;
    expected.replace(expected.find("dword:00000002"), 14,
                     "dword:00000004\r\n\"Columns\"=dword:00000006");
    EXPECT_EQ(document.serialize(), expected);
}

TEST(RegistryDocumentTest, LineThatCannotBeParsedReadsAsAForeignTypeUntilItIsWritten)
{
    RegistryDocument document = RegistryDocument::parse(
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa]\r\n"
        "\"Rows\"=dword:zz\r\n"
        "\"Cols\"=\"unterminated\r\n"
        "\"Size\"\r\n"
        "garbage without a name\r\n");

    for (const char* name : {"Rows", "Cols", "Size"}) {
        ASSERT_TRUE(document.value(kKey, name).has_value()) << name;
        EXPECT_EQ(document.value(kKey, name)->type, RegistryType::Unreadable) << name;
    }

    document.setValue(kKey, "Rows", RegistryValue::dword(3));

    EXPECT_EQ(document.value(kKey, "Rows"), RegistryValue::dword(3));
    EXPECT_EQ(document.serialize().find("dword:zz"), std::string::npos);
    EXPECT_NE(document.serialize().find("garbage without a name\r\n"), std::string::npos);
}

TEST(RegistryDocumentTest, TextWithLineBreaksIsWrittenAsHexSoTheFileKeepsItsShape)
{
    RegistryDocument document = RegistryDocument::parse("");
    const RegistryValue twoLines = RegistryValue::text("a\r\nb");

    document.setValue(kKey, "Title", twoLines);

    const std::string text = document.serialize();
    EXPECT_NE(text.find("\"Title\"=hex(1):61,0d,0a,62,00\r\n"), std::string::npos);
    EXPECT_EQ(RegistryDocument::parse(text).value(kKey, "Title"), twoLines);
}

TEST(RegistryDocumentTest, DamagedInputNeverBreaksParsing)
{
    const std::string samples[] = {
        std::string("\0\0\xff\xfe[", 5),
        "[",
        "REGEDIT4\n[\n\"a\"=hex:\\",
        "REGEDIT4\n[K]\n\"a\"=hex(zz):01\n\"b\"=hex:1,,2\n\"c\"=hex:123\n@",
        "[K]\n\"\\",
    };
    for (const std::string& sample : samples) {
        RegistryDocument document = RegistryDocument::parse(sample);
        document.setValue(kKey, "Rows", RegistryValue::dword(1));
        EXPECT_EQ(RegistryDocument::parse(document.serialize()).value(kKey, "Rows"),
                  RegistryValue::dword(1));
    }
}

// A value left with an open continuation (its last line ends in "\") must not swallow the line
// written after it, whatever ends the file or the key.
TEST(RegistryDocumentTest, ValueWrittenAfterAnOpenContinuationReadsBack)
{
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa]\n";
    const std::string endings[] = {
        "\"Blob\"=hex:01,02,\\",
        "\"Blob\"=hex:01,02,\\\n",
        "\"Blob\"=hex:01,\\\n  02,\\\n",
        "\"Path\"=hex(2):25,00,\\ \n\n",
        "\"Blob\"=hex:01,02,\\\n[HKEY_CURRENT_USER\\Other]\n\"x\"=\"y\"\n",
    };
    for (const std::string& ending : endings) {
        RegistryDocument document = RegistryDocument::parse("REGEDIT4\n\n" + key + ending);
        const std::optional<RegistryValue> before = document.value(kKey, "Blob");
        document.setValue(kKey, "Columns", RegistryValue::dword(7));
        document.setValue(kKey, "Title", RegistryValue::text("x"));

        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(document.value(kKey, "Columns"), RegistryValue::dword(7)) << ending;
            EXPECT_EQ(document.value(kKey, "Title"), RegistryValue::text("x")) << ending;
            EXPECT_EQ(document.value(kKey, "Blob"), before) << ending;
            document = RegistryDocument::parse(document.serialize());
        }
    }
}

TEST(RegistryDocumentTest, ForeignHeaderLineIsKeptBelowOurs)
{
    RegistryDocument document = RegistryDocument::parse("not a registry file\n");
    document.setValue(kKey, "Rows", RegistryValue::dword(1));

    EXPECT_EQ(document.serialize().rfind("REGEDIT4\r\nnot a registry file\r\n\r\n[", 0), 0u);
}

}  // namespace
}  // namespace pixmosa
