#include "generator/link_value.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace pixmosa {
namespace {

TEST(LinkValueTest, EveryByteIsKeptOrWrittenAsItsHexadecimalCode)
{
    const std::string_view breaksALink = " \"#%&:<>?\\";
    for (int byte = 0; byte < 256; ++byte) {
        const std::string name(1, static_cast<char>(byte));
        const bool control = byte < 0x20 || byte == 0x7F;
        const bool encoded = control || byte >= 0x80 ||
                             breaksALink.find(static_cast<char>(byte)) != std::string_view::npos;
        char code[4];
        std::snprintf(code, sizeof code, "%%%02X", byte);

        EXPECT_EQ(linkValue(name), encoded ? std::string(code) : name) << "byte " << byte;
    }
}

// A blank breaks a link copied into mail or chat, so it is encoded too.
TEST(LinkValueTest, NamesThatBreakLinksAreEncoded)
{
    EXPECT_EQ(linkValue("My Photo.jpg"), "My%20Photo.jpg");
    EXPECT_EQ(linkValue("Photo#1.jpg"), "Photo%231.jpg");
    EXPECT_EQ(linkValue("Why?.jpg"), "Why%3F.jpg");
    EXPECT_EQ(linkValue("Say \"Hi\".jpg"), "Say%20%22Hi%22.jpg");
    EXPECT_EQ(linkValue("A&copy.jpg"), "A%26copy.jpg");
    EXPECT_EQ(linkValue("50%20off.jpg"), "50%2520off.jpg");
    EXPECT_EQ(linkValue("IMG:1.jpg"), "IMG%3A1.jpg");
    EXPECT_EQ(linkValue("Tom's/Café.jpg"), "Tom's/Caf%C3%A9.jpg");
    EXPECT_EQ(linkValue("東京.jpg"), "%E6%9D%B1%E4%BA%AC.jpg");
    EXPECT_EQ(linkValue(std::string_view("a\0b", 3)), "a%00b");
    EXPECT_EQ(linkValue(""), "");
}

}  // namespace
}  // namespace pixmosa
