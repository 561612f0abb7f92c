#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "generator/gallery_run.h"

namespace pixmosa::bench {

// Takes no notice of progress, so only the work itself is timed.
class SilentObserver final : public GalleryObserver {
public:
    void status(std::string_view) override {}
    void progress(std::size_t, std::size_t) override {}
    void breathe() override {}
    void beep() override {}
    void message(std::string_view) override {}
    void openPage(const std::string&) override {}
};

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of `rounds` runs after one that warms the caches; nothing when a run fails,
// whose message is printed.
inline std::optional<double> medianSeconds(int rounds,
                                           const std::function<Result<CommandEnd>()>& run)
{
    std::vector<double> seconds;
    for (int round = 0; round <= rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const Result<CommandEnd> end = run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (!end) {
            std::fprintf(stderr, "%s\n", end.message().c_str());
            return std::nullopt;
        }
        if (round > 0) {
            seconds.push_back(took.count());
        }
    }
    return median(std::move(seconds));
}

}  // namespace pixmosa::bench
