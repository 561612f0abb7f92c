#include "common/colour_text.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

class OneSystemColour final : public SystemColours {
public:
    std::uint32_t colourOf(int index) const override { return index == 5 ? 0x00332211 : 0; }
};

TEST(ColourTextTest, LowestByteIsRed)
{
    const StandardSystemColours system;
    EXPECT_EQ(colourText(0x00800000, system), "#000080");
    EXPECT_EQ(colourText(0x00FFFF00, system), "#00FFFF");
    EXPECT_EQ(colourText(0x0000FFFF, system), "#FFFF00");
    EXPECT_EQ(colourText(0x00C0C0C0, system), "#C0C0C0");
    EXPECT_EQ(colourText(0x000000FF, system), "#FF0000");
    EXPECT_EQ(colourText(0x00FF0000, system), "#0000FF");
    EXPECT_EQ(colourText(0x00000000, system), "#000000");
    EXPECT_EQ(colourText(0x00ABCDEF, system), "#EFCDAB");
}

TEST(ColourTextTest, SystemColourIsWrittenAsTheColourItStandsFor)
{
    const auto window = static_cast<std::int32_t>(0x80000005);

    EXPECT_EQ(colourText(window, OneSystemColour()), "#112233");
    EXPECT_EQ(colourText(window, StandardSystemColours()), "#FFFFFF");
}

}  // namespace
}  // namespace pixmosa
