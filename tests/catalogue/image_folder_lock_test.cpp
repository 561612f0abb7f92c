#include "catalogue/image_folder_lock.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/temp_dir.h"

namespace pixmosa {
namespace {

// Records what a waiting command tells, and does what the test asks at each breath.
class WaitingObserver final : public CommandObserver {
public:
    explicit WaitingObserver(std::function<void(int)> atBreath) : m_atBreath(std::move(atBreath)) {}
    void status(std::string_view text) override { statuses.emplace_back(text); }
    void progress(std::size_t, std::size_t) override {}
    void breathe() override { m_atBreath(++breaths); }
    void beep() override {}
    void message(std::string_view) override {}
    bool stopRequested() const override { return stop; }

    std::vector<std::string> statuses;
    int breaths = 0;
    bool stop = false;

private:
    std::function<void(int)> m_atBreath;
};

TEST(ImageFolderLockTest, SecondCommandWaitsSayingWhyUntilTheFirstEndsOrItIsStopped)
{
    const test::TempDir dir;
    std::optional<FolderLock> first = FolderLock::tryAcquire(dir.path());
    ASSERT_TRUE(first && first->held());
    EXPECT_FALSE(FolderLock::tryAcquire(dir.path() + "/.").has_value()) << "another spelling";

    WaitingObserver stopping([&](int breath) { stopping.stop = breath == 3; });
    EXPECT_FALSE(lockImageDirectory(dir.path(), stopping).has_value());
    EXPECT_EQ(stopping.breaths, 3);
    EXPECT_EQ(stopping.statuses, std::vector<std::string>{waitingForFolderText(dir.path())});
    EXPECT_EQ(waitingForFolderText("/photos"),
              "Waiting for another Pixmosa command working in /photos\u2026");

    WaitingObserver releasing([&](int breath) {
        if (breath == 2) {
            first.reset();
        }
    });
    const std::optional<FolderLock> second = lockImageDirectory(dir.path(), releasing);
    ASSERT_TRUE(second.has_value());
    EXPECT_TRUE(second->held());
    EXPECT_EQ(releasing.breaths, 2);

    WaitingObserver idle([](int) {});
    EXPECT_FALSE(lockImageDirectory(dir.path("missing"), idle)->held());
    EXPECT_TRUE(idle.statuses.empty());
}

}  // namespace
}  // namespace pixmosa
