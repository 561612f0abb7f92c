#include "settings/store.h"

#include <gtest/gtest.h>

#include "platform/registry_file.h"
#include "support/file_setup.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

class StoreTest : public ::testing::Test {
protected:
    void storeRaw(std::string_view name, const RegistryValue& value)
    {
        ASSERT_TRUE(registry.writeValue(kSettingsKey, name, value).ok());
    }

    TempDir dir;
    RegistryFile registry{dir.path("registry.reg")};
};

TEST_F(StoreTest, WrittenValuesReadBackWithTheirTypes)
{
    ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, "ThumbsDir", "Small").ok());
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "Rows", -7).ok());
    ASSERT_TRUE(WriteStoreBool(registry, kSettingsKey, "Sorted", true).ok());

    EXPECT_EQ(*ReadStoreString(registry, kSettingsKey, "ThumbsDir", "Thumbs"), "Small");
    EXPECT_EQ(*ReadStoreInteger(registry, kSettingsKey, "Rows", 2), -7);
    EXPECT_TRUE(*ReadStoreBool(registry, kSettingsKey, "Sorted", false));
    EXPECT_EQ(registry.readValue(kSettingsKey, "Sorted"), RegistryValue::dword(1));
}

TEST_F(StoreTest, MissingKeyOrValueGivesTheDefaultSilently)
{
    EXPECT_EQ(*ReadStoreInteger(registry, kSettingsKey, "Rows", 2), 2);
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "Columns", 9).ok());

    EXPECT_EQ(*ReadStoreInteger(registry, kSettingsKey, "Rows", 2), 2);
    EXPECT_EQ(*ReadStoreString(registry, kSettingsKey, "IndexFile", "index.html"), "index.html");
    EXPECT_TRUE(*ReadStoreBool(registry, kSettingsKey, "UseImageShell", true));
}

TEST_F(StoreTest, StoredEmptyTextIsNotReplacedByTheDefault)
{
    ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, "ThumbsDir", "").ok());
    EXPECT_EQ(*ReadStoreString(registry, kSettingsKey, "ThumbsDir", "Thumbs"), "");

    storeRaw("ThumbPrefix", RegistryValue{RegistryType::String, ""});
    EXPECT_EQ(*ReadStoreString(registry, kSettingsKey, "ThumbPrefix", "Thumb-"), "");
}

TEST_F(StoreTest, TextWhereANumberIsExpectedIsAnInvalidDataType)
{
    ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, "Rows", "5").ok());

    const Result<std::int32_t> rows = ReadStoreInteger(registry, kSettingsKey, "Rows", 2);
    const Result<bool> sorted = ReadStoreBool(registry, kSettingsKey, "Rows", false);

    ASSERT_FALSE(rows.ok());
    EXPECT_EQ(rows.message(), "Invalid data type for 'Rows'");
    EXPECT_EQ(sorted.message(), "Invalid data type for 'Rows'");
}

TEST_F(StoreTest, ValueLongerThanANumberCannotBeReadWhateverItsType)
{
    ASSERT_TRUE(WriteStoreString(registry, kSettingsKey, "Rows", "1234").ok());  // 5 bytes
    storeRaw("Sorted", RegistryValue{RegistryType::Binary, std::string(5, '\1')});
    storeRaw("Columns", RegistryValue{RegistryType::Binary, std::string(4, '\1')});

    EXPECT_EQ(ReadStoreInteger(registry, kSettingsKey, "Rows", 2).message(),
              "Failed to get data for 'Rows'");
    EXPECT_EQ(ReadStoreBool(registry, kSettingsKey, "Sorted", false).message(),
              "Failed to get data for 'Sorted'");
    EXPECT_EQ(ReadStoreInteger(registry, kSettingsKey, "Columns", 5).message(),
              "Invalid data type for 'Columns'");
}

TEST_F(StoreTest, NumberWhereATextIsExpectedIsAnInvalidDataType)
{
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "ImageDir", 3).ok());

    const Result<std::string> text = ReadStoreString(registry, kSettingsKey, "ImageDir", "");

    EXPECT_EQ(text.message(), "Invalid data type for 'ImageDir'");
}

TEST_F(StoreTest, ExpandStringReadsAsTextWithNothingExpanded)
{
    storeRaw("ImageDir", RegistryValue{RegistryType::ExpandString, std::string("$HOME/x\0", 8)});
    EXPECT_EQ(*ReadStoreString(registry, kSettingsKey, "ImageDir", ""), "$HOME/x");
}

TEST_F(StoreTest, NumberThatIsNotFourBytesLongCannotBeRead)
{
    storeRaw("Rows", RegistryValue{RegistryType::Dword, std::string(8, '\1')});
    storeRaw("Columns", RegistryValue{RegistryType::Dword, std::string(2, '\1')});

    EXPECT_EQ(ReadStoreInteger(registry, kSettingsKey, "Rows", 2).message(),
              "Failed to get data for 'Rows'");
    EXPECT_EQ(ReadStoreBool(registry, kSettingsKey, "Columns", false).message(),
              "Failed to get data for 'Columns'");
}

TEST_F(StoreTest, DamagedValueLineReadsAsAnInvalidDataType)
{
    dir.write("registry.reg",
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brevant Software\\Pixmosa]\r\n"
              "\"Rows\"=dword:not-a-number\r\n");

    EXPECT_EQ(ReadStoreInteger(registry, kSettingsKey, "Rows", 2).message(),
              "Invalid data type for 'Rows'");
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "Rows", 3).ok());
    EXPECT_EQ(*ReadStoreInteger(registry, kSettingsKey, "Rows", 2), 3);
}

TEST_F(StoreTest, AnyNonZeroNumberReadsAsOn)
{
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "Sorted", 42).ok());
    EXPECT_TRUE(*ReadStoreBool(registry, kSettingsKey, "Sorted", false));
    ASSERT_TRUE(WriteStoreBool(registry, kSettingsKey, "Sorted", false).ok());
    EXPECT_FALSE(*ReadStoreBool(registry, kSettingsKey, "Sorted", true));
}

TEST_F(StoreTest, FailedWriteNamesTheValueAndKeepsTheOldOne)
{
    ASSERT_TRUE(WriteStoreInteger(registry, kSettingsKey, "Columns", 7).ok());
    const std::string before = dir.read("registry.reg");
    ASSERT_TRUE(test::makeReadOnly(dir.path("registry.reg")));

    const Status written = WriteStoreInteger(registry, kSettingsKey, "Columns", 4);

    EXPECT_EQ(written.message(), "Failed to set data for 'Columns': " + dir.path("registry.reg") +
                                     ": " + test::reasonFor(test::Failure::PermissionDenied));
    EXPECT_EQ(*ReadStoreInteger(registry, kSettingsKey, "Columns", 5), 7);
    EXPECT_EQ(dir.read("registry.reg"), before);
}

TEST_F(StoreTest, RegistryThatCannotBeCreatedFailsToSetData)
{
    dir.write("file", "");
    RegistryFile unusable(dir.path("file/registry.reg"));

    EXPECT_EQ(WriteStoreString(unusable, kSettingsKey, "ImageDir", "x").message(),
              "Failed to set data for 'ImageDir': " + dir.path("file") + ": " +
                  test::reasonFor(test::Failure::NotADirectory));
    EXPECT_EQ(*ReadStoreString(unusable, kSettingsKey, "ImageDir", "default"), "default");
}

}  // namespace
}  // namespace pixmosa
