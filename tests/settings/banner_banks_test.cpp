#include "settings/banner_banks.h"

#include <gtest/gtest.h>

#include "settings/text_store.h"
#include "support/child_processes.h"
#include "support/temp_dir.h"

namespace pixmosa {
namespace {

using test::TempDir;

class BannerBanksTest : public ::testing::Test {
protected:
    void add(const std::string& name)
    {
        ASSERT_EQ(banks.refusal(name), std::nullopt) << name;
        ASSERT_TRUE(banks.add(name).ok());
    }
    std::string stored(std::string_view section) const { return *LoadText(store, section); }
    BannerBanks reloaded() const
    {
        BannerBanks again(store);
        EXPECT_TRUE(again.load().ok());
        return again;
    }

    TempDir dir;
    std::string store = dir.path("Pixmosa.dat");
    BannerBanks banks{store};
};

TEST_F(BannerBanksTest, FirstStartHasNoBankAndNothingChosen)
{
    ASSERT_TRUE(banks.load().ok());
    EXPECT_TRUE(banks.names().empty());
    EXPECT_FALSE(banks.chosen().has_value());
    EXPECT_EQ(*banks.chosenLines(), "");
}

TEST_F(BannerBanksTest, AddedBankIsChosenAndTheListStoredInOrderWithoutASectionOfItsOwn)
{
    add("Summer");
    add("Spring");

    EXPECT_EQ(banks.chosenName(), "Spring");
    EXPECT_EQ(stored("Banner Banks"), "Summer\r\nSpring\r\n");
    EXPECT_EQ(dir.read("Pixmosa.dat").find("[Spring]"), std::string::npos);
}

TEST_F(BannerBanksTest, NamesAreRefusedWithAPromptToTryAgain)
{
    add("spring");

    EXPECT_EQ(banks.refusal(""), "Please enter a name for banner bank.");
    EXPECT_EQ(banks.refusal("Spring"), "The name already exists. Please select a new one.");
    EXPECT_EQ(banks.refusal("gallery HEADER"),
              "The name belongs to a page text. Please select a new one.");
    EXPECT_EQ(banks.refusal("Banner Banks"),
              "The name belongs to a page text. Please select a new one.");
    EXPECT_EQ(banks.refusal("spring] more"),
              "The name cannot hold \"]\" or a line break. Please select a new one.");
    EXPECT_EQ(banks.refusal("two\nlines"),
              "The name cannot hold \"]\" or a line break. Please select a new one.");
    EXPECT_EQ(banks.refusal(std::string(256, 'x')),
              "The name is longer than 255 characters. Please select a new one.");
    EXPECT_EQ(banks.refusal("####"), "The name cannot be \"####\". Please select a new one.");
    EXPECT_EQ(banks.refusal(std::string(255, 'x')), std::nullopt);
    EXPECT_EQ(banks.refusal("   "), std::nullopt);
    EXPECT_EQ(banks.refusal("Columns"), std::nullopt);
}

TEST_F(BannerBanksTest, RefusedNameIsNeitherAddedNorStored)
{
    add("Spring");

    EXPECT_EQ(banks.add("SPRING").message(), "The name already exists. Please select a new one.");
    EXPECT_EQ(banks.add("").message(), "Please enter a name for banner bank.");

    EXPECT_EQ(banks.names(), (std::vector<std::string>{"Spring"}));
    EXPECT_EQ(stored("Banner Banks"), "Spring\r\n");
}

TEST_F(BannerBanksTest, BlankLinesNeverReplaceABanksStoredLines)
{
    add("Spring");
    ASSERT_TRUE(banks.saveChosenLines({" ", "\t", ""}).ok());
    EXPECT_EQ(dir.read("Pixmosa.dat").find("[Spring]"), std::string::npos);

    ASSERT_TRUE(banks.saveChosenLines({"<B>one</B>"}).ok());
    ASSERT_TRUE(banks.saveChosenLines({"  "}).ok());

    EXPECT_EQ(*banks.chosenLines(), "<B>one</B>\r\n");
}

TEST_F(BannerBanksTest, DeletingTheSecondOfThreeChoosesTheFirst)
{
    add("One");
    ASSERT_TRUE(banks.saveChosenLines({"first"}).ok());
    add("Two");
    ASSERT_TRUE(banks.saveChosenLines({"second"}).ok());
    add("Three");
    banks.choose(1);

    ASSERT_TRUE(banks.deleteChosen().ok());

    EXPECT_EQ(banks.names(), (std::vector<std::string>{"One", "Three"}));
    EXPECT_EQ(banks.chosenName(), "One");
    EXPECT_EQ(*banks.chosenLines(), "first\r\n");
    EXPECT_EQ(stored("Banner Banks"), "One\r\nThree\r\n");
    EXPECT_EQ(stored("Two"), "");
    EXPECT_EQ(dir.read("Pixmosa.dat").find("second"), std::string::npos);
}

TEST_F(BannerBanksTest, DeletingTheOnlyBankLeavesAnEmptyList)
{
    add("Only");

    ASSERT_TRUE(banks.deleteChosen().ok());
    ASSERT_TRUE(banks.deleteChosen().ok());

    EXPECT_TRUE(banks.names().empty());
    EXPECT_FALSE(banks.chosen().has_value());
    EXPECT_NE(dir.read("Pixmosa.dat").find("[Banner Banks]\r\n\r\n####\r\n"), std::string::npos);
}

TEST_F(BannerBanksTest, AfterARestartTheFirstBankIsChosen)
{
    add("First");
    add("Second");
    ASSERT_TRUE(banks.saveChosenLines({"2"}).ok());

    const BannerBanks again = reloaded();

    EXPECT_EQ(again.names(), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(again.chosenName(), "First");
    EXPECT_EQ(again.find("SECOND"), 1u);
}

// Programs that add banks at once, each reading the list as the command line does, keep every
// bank; so does a program whose own list is out of date.
TEST_F(BannerBanksTest, BanksAddedAtOnceByTwoProgramsAreAllKept)
{
    constexpr int kWriters = 2;
    constexpr int kBanksEach = 25;
    EXPECT_TRUE(test::succeedInChildren(kWriters, [&](int writer) {
        bool ok = true;
        for (int i = 0; i < kBanksEach; ++i) {
            BannerBanks fresh(store);
            const std::string name = std::string("W").append(std::to_string(writer)).append("-");
            ok = fresh.load().ok() && fresh.add(name + std::to_string(i)).ok() && ok;
        }
        return ok;
    }));
    EXPECT_EQ(reloaded().names().size(), std::size_t{kWriters * kBanksEach});

    ASSERT_TRUE(banks.load().ok());
    BannerBanks other(store);
    ASSERT_TRUE(other.load().ok());
    ASSERT_TRUE(other.add("Late").ok());
    EXPECT_EQ(banks.add("late").message(), "The name already exists. Please select a new one.");
    add("Later");
    EXPECT_EQ(banks.names().size(), std::size_t{kWriters * kBanksEach + 2});
    banks.choose(banks.find("Late"));
    ASSERT_TRUE(other.add("Latest").ok());
    ASSERT_TRUE(banks.deleteChosen().ok());
    EXPECT_EQ(reloaded().names(), banks.names());
    EXPECT_EQ(banks.names().back(), "Latest");
    EXPECT_FALSE(banks.find("Late"));
}

}  // namespace
}  // namespace pixmosa
