#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace pixmosa {

// Half of the machine's physical memory: what one command's decoders may hold at once when the
// user sets no limit.
std::uint64_t defaultMemoryBudget();

// The memory that the decoders of one command may hold at once, shared by all its workers. A
// worker reserves what its image needs before it decodes and waits while that does not fit
// beside what the others hold.
class MemoryBudget {
public:
    explicit MemoryBudget(std::uint64_t bytes) : m_capacity(bytes) {}
    MemoryBudget(const MemoryBudget&) = delete;
    MemoryBudget& operator=(const MemoryBudget&) = delete;

    std::uint64_t capacity() const { return m_capacity; }

    class Reservation {
    public:
        Reservation(MemoryBudget& budget, std::uint64_t bytes);
        Reservation(const Reservation&) = delete;
        Reservation& operator=(const Reservation&) = delete;
        ~Reservation();

    private:
        MemoryBudget& m_budget;
        std::uint64_t m_bytes;
    };

private:
    std::uint64_t m_capacity;
    std::uint64_t m_held = 0;
    std::mutex m_mutex;
    std::condition_variable m_released;
};

}  // namespace pixmosa
