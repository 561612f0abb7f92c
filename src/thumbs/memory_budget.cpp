#include "thumbs/memory_budget.h"

#include "platform/system.h"

namespace pixmosa {

std::uint64_t defaultMemoryBudget()
{
    const std::uint64_t physical = physicalMemoryBytes();
    return physical > 0 ? physical / 2 : std::uint64_t{1} << 30;
}

// A reservation larger than the whole budget is refused by the caller before it gets here; one
// that fits an empty budget is always granted in the end, so no worker waits for ever.
MemoryBudget::Reservation::Reservation(MemoryBudget& budget, std::uint64_t bytes)
    : m_budget(budget), m_bytes(bytes)
{
    std::unique_lock lock(budget.m_mutex);
    budget.m_released.wait(
        lock, [&] { return budget.m_held == 0 || budget.m_held + bytes <= budget.m_capacity; });
    budget.m_held += bytes;
}

MemoryBudget::Reservation::~Reservation()
{
    {
        const std::lock_guard lock(m_budget.m_mutex);
        m_budget.m_held -= m_bytes;
    }
    m_budget.m_released.notify_all();
}

}  // namespace pixmosa
