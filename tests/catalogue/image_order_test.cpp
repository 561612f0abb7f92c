#include "catalogue/image_order.h"

#include <gtest/gtest.h>

namespace pixmosa {
namespace {

using Names = std::vector<std::string>;

TEST(ImageOrderTest, DroppingOnAnEntryTakesItsPlace)
{
    Names forward{"a", "b", "c", "d", "e"};
    EXPECT_EQ(moveImage(forward, 1, 4), 4u);
    EXPECT_EQ(forward, (Names{"a", "c", "d", "e", "b"}));

    Names backward{"a", "b", "c", "d", "e"};
    EXPECT_EQ(moveImage(backward, 4, 1), 1u);
    EXPECT_EQ(backward, (Names{"a", "e", "b", "c", "d"}));
}

TEST(ImageOrderTest, DroppingBelowTheLastEntryMovesToTheEnd)
{
    Names names{"a", "b", "c"};
    EXPECT_EQ(moveImage(names, 0, std::nullopt), 2u);
    EXPECT_EQ(names, (Names{"b", "c", "a"}));
}

TEST(ImageOrderTest, DroppingOnItselfOrWithoutASelectionChangesNothing)
{
    Names names{"a", "b", "c"};
    EXPECT_EQ(moveImage(names, 1, 1), 1u);
    moveImage(names, 7, 0);
    Names empty;
    moveImage(empty, 0, std::nullopt);
    EXPECT_EQ(names, (Names{"a", "b", "c"}));
    EXPECT_TRUE(empty.empty());
}

TEST(ImageOrderTest, MovedListIsNotResortedUntilSortedAgain)
{
    Names names{"a.jpg", "b.jpg", "c.jpg"};
    moveImage(names, 0, 2);
    EXPECT_EQ(names, (Names{"b.jpg", "c.jpg", "a.jpg"}));

    sortImageNames(names);
    EXPECT_EQ(names, (Names{"a.jpg", "b.jpg", "c.jpg"}));
}

TEST(ImageOrderTest, NamesEqualButForCaseKeepTheirOrder)
{
    Names names{"b.jpg", "A.jpg", "a.jpg", "B.jpg"};
    sortImageNames(names);
    EXPECT_EQ(names, (Names{"A.jpg", "a.jpg", "b.jpg", "B.jpg"}));
}

}  // namespace
}  // namespace pixmosa
