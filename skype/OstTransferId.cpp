#include "OstTransferId.h"

#include <atomic>
#include <chrono>

std::uint32_t OstTransferId::Next() {
    // Seeded from the clock so that ids of one run rarely meet those of the last one, which
    // may still sit in the saved event list.
    static std::atomic<std::uint32_t> counter{
        static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())};
    std::uint32_t id = 0;
    while (id == 0)
        id = counter.fetch_add(1, std::memory_order_relaxed) + 1;
    return id;
}
