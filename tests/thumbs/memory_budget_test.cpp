#include "thumbs/memory_budget.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace pixmosa {
namespace {

TEST(MemoryBudgetTest, ReservationWaitsUntilItFitsBesideTheOthers)
{
    MemoryBudget budget(100);
    std::optional<MemoryBudget::Reservation> first;
    first.emplace(budget, 60);
    std::atomic<bool> secondGranted{false};
    std::thread second([&] {
        const MemoryBudget::Reservation reserved(budget, 60);
        secondGranted = true;
    });
    const MemoryBudget::Reservation small(budget, 40);  // fits beside the first at once

    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(secondGranted);
    first.reset();
    second.join();
    EXPECT_TRUE(secondGranted);
}

TEST(MemoryBudgetTest, DefaultIsHalfOfThePhysicalMemory)
{
    EXPECT_GT(defaultMemoryBudget(), std::uint64_t{64} << 20);
}

}  // namespace
}  // namespace pixmosa
