#include "platform/locations.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace pixmosa {
namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class EnvironmentTest : public ::testing::Test {
protected:
    void set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }

    void TearDown() override
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_F(EnvironmentTest, VariablesNameTheStores)
{
    set("PIXMOSA_REGISTRY", "/somewhere/settings.reg");
    set("PIXMOSA_TEXT_STORE", "/elsewhere/texts.dat");

    EXPECT_EQ(registryFilePath(), "/somewhere/settings.reg");
    EXPECT_EQ(textStorePath(), "/elsewhere/texts.dat");
}

TEST_F(EnvironmentTest, RegistryLivesInTheUserConfigurationDirectory)
{
    set("PIXMOSA_REGISTRY", nullptr);
    set("HOME", "/home/someone");
    set("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(registryFilePath(), "/cfg/pixmosa/registry.reg");

    set("XDG_CONFIG_HOME", "relative/is/ignored");
    EXPECT_EQ(registryFilePath(), "/home/someone/.config/pixmosa/registry.reg");
}

TEST_F(EnvironmentTest, TextStoreLiesBesideAWritableProgram)
{
    set("PIXMOSA_TEXT_STORE", nullptr);

    // The test program's own build directory is writable.
    EXPECT_EQ(textStorePath(), programDirectory() + "/Pixmosa.dat");
}

}  // namespace
}  // namespace pixmosa
