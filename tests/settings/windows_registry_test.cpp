#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/locations.h"
#include "platform/registry_windows.h"
#include "platform/system.h"
#include "platform/user_registry.h"
#include "platform/wide_text.h"
#include "settings/store.h"
#include "support/environment.h"

namespace pixmosa {
namespace {

// The settings as the system's registry keeps them, below a key of the test's own that is
// removed afterwards, so the user's settings are never touched.
class WindowsRegistryTest : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, wideText(key).c_str()); }

    // What a registry editor shows for the value.
    std::wstring systemText(std::string_view name) const
    {
        wchar_t text[256] = {};
        DWORD size = sizeof text;
        const LSTATUS status =
            ::RegGetValueW(HKEY_CURRENT_USER, wideText(key).c_str(), wideText(name).c_str(),
                           RRF_RT_REG_SZ, nullptr, text, &size);
        return status == ERROR_SUCCESS ? text : L"(unreadable)";
    }

    void storeRaw(std::string_view name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, wideText(key).c_str(),
                                    wideText(name).c_str(), type, data, size),
                  ERROR_SUCCESS);
    }

    const std::string key =
        "Software\\Pixmosa tests\\" + std::to_string(currentProcessId()) + "\\Pixmosa";
    WindowsRegistry registry;
};

TEST_F(WindowsRegistryTest, ValuesAreStoredWithTheRegistrysOwnTypes)
{
    ASSERT_TRUE(WriteStoreString(registry, key, "GalleryTitle", "Caf\xC3\xA9 \xE6\x97\xA5").ok());
    ASSERT_TRUE(WriteStoreInteger(registry, key, "Rows", -7).ok());
    ASSERT_TRUE(WriteStoreBool(registry, key, "Sorted", true).ok());

    EXPECT_EQ(systemText("GalleryTitle"), L"Caf\u00E9 \u65E5");
    DWORD rows = 0;
    DWORD size = sizeof rows;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, wideText(key).c_str(), L"Rows", RRF_RT_REG_DWORD,
                             nullptr, &rows, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(static_cast<std::int32_t>(rows), -7);
    EXPECT_EQ(*ReadStoreString(registry, key, "GalleryTitle", ""), "Caf\xC3\xA9 \xE6\x97\xA5");
    EXPECT_EQ(*ReadStoreInteger(registry, key, "Rows", 2), -7);
    EXPECT_TRUE(*ReadStoreBool(registry, key, "Sorted", false));
    EXPECT_EQ(*ReadStoreInteger(registry, key, "Columns", 5), 5);
}

TEST_F(WindowsRegistryTest, ValuesOfAnotherTypeGiveTheStoresErrors)
{
    ASSERT_TRUE(WriteStoreString(registry, key, "Rows", "5").ok());
    ASSERT_TRUE(WriteStoreInteger(registry, key, "ImageDir", 3).ok());
    const char fiveBytes[] = {1, 1, 1, 1, 1};
    storeRaw("Sorted", REG_BINARY, fiveBytes, sizeof fiveBytes);
    const wchar_t expandable[] = L"%USERPROFILE%\\x";
    storeRaw("ThumbsDir", REG_EXPAND_SZ, expandable, sizeof expandable);

    EXPECT_EQ(ReadStoreInteger(registry, key, "Rows", 2).message(), "Invalid data type for 'Rows'");
    EXPECT_EQ(ReadStoreString(registry, key, "ImageDir", "").message(),
              "Invalid data type for 'ImageDir'");
    EXPECT_EQ(ReadStoreBool(registry, key, "Sorted", false).message(),
              "Failed to get data for 'Sorted'");
    EXPECT_EQ(*ReadStoreString(registry, key, "ThumbsDir", ""), "%USERPROFILE%\\x");
}

TEST_F(WindowsRegistryTest, TheUsersRegistryIsTheSystemsUnlessAFileIsNamed)
{
    const std::string named = environmentVariable("PIXMOSA_REGISTRY");
    test::setEnvironment("PIXMOSA_REGISTRY", "");
    const std::unique_ptr<Registry> user = openUserRegistry();
    test::setEnvironment("PIXMOSA_REGISTRY", named);

    ASSERT_TRUE(WriteStoreString(*user, key, "IndexFile", "start.html").ok());
    EXPECT_EQ(systemText("IndexFile"), L"start.html");
}

}  // namespace
}  // namespace pixmosa
