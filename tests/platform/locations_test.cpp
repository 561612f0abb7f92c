#include "platform/locations.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/paths.h"
#include "support/environment.h"

namespace pixmosa {
namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class EnvironmentTest : public ::testing::Test {
protected:
    // An empty value removes the variable.
    void set(const char* name, const char* value)
    {
        m_saved.emplace_back(name, environmentVariable(name));
        test::setEnvironment(name, value);
    }

    void TearDown() override
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            test::setEnvironment(it->first, it->second);
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> m_saved;
};

TEST_F(EnvironmentTest, VariablesNameTheStores)
{
    set("PIXMOSA_REGISTRY", "/somewhere/settings.reg");
    set("PIXMOSA_TEXT_STORE", "/elsewhere/texts.dat");

    EXPECT_EQ(registryFilePath(), "/somewhere/settings.reg");
    EXPECT_EQ(textStorePath(), "/elsewhere/texts.dat");
}

#ifndef _WIN32
TEST_F(EnvironmentTest, RegistryLivesInTheUserConfigurationDirectory)
{
    set("PIXMOSA_REGISTRY", "");
    set("HOME", "/home/someone");
    set("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(registryFilePath(), "/cfg/pixmosa/registry.reg");

    set("XDG_CONFIG_HOME", "relative/is/ignored");
    EXPECT_EQ(registryFilePath(), "/home/someone/.config/pixmosa/registry.reg");
}
#endif

TEST_F(EnvironmentTest, TextStoreLiesBesideAWritableProgram)
{
    set("PIXMOSA_TEXT_STORE", "");

    // The test program's own build directory is writable.
    EXPECT_EQ(textStorePath(), withTrailingSeparator(programDirectory()) + "Pixmosa.dat");
}

}  // namespace
}  // namespace pixmosa
