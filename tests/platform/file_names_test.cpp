#include "platform/file_names.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

TEST(FileNamesTest, NamesWindowsCannotHoldAreToldWithTheReason)
{
    const std::string forbidden = "\", which Windows names cannot hold";
    const struct {
        const char* name;
        std::string problem;  // empty: Windows holds it
    } cases[] = {
        {"Trip-01.jpg", ""},
        {"a:b1.jpg", "it holds \":" + forbidden},
        {"what?.jpg", "it holds \"?" + forbidden},
        {"a|b", "it holds \"|" + forbidden},
        {"tab\there", "it holds a control character, which Windows names cannot hold"},
        {"Thumbs.", "it ends in a dot or a blank, which Windows drops from names"},
        {"Thumbs ", "it ends in a dot or a blank, which Windows drops from names"},
        {"CON", "it is the name of the device CON"},
        {"nul.jpg", "it is the name of the device NUL"},
        {"Aux .html", "it is the name of the device AUX"},
        {"com1.jpg", "it is the name of the device COM1"},
        {"LPT9", "it is the name of the device LPT9"},
        {"COM10.jpg", ""},
        {"CONSOLE.jpg", ""},
        {"Lpt0", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(windowsNameProblem(c.name).value_or(""), c.problem) << c.name;
#ifdef _WIN32
        EXPECT_EQ(nameProblem(c.name), windowsNameProblem(c.name)) << c.name;
#else
        EXPECT_FALSE(nameProblem(c.name)) << c.name;
#endif
    }
}

}  // namespace
}  // namespace pixmosa
