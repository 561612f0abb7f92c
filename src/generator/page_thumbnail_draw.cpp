#include "generator/page_thumbnail_draw.h"

#include <chrono>
#include <random>

namespace pixmosa {

std::int64_t TimeSeededDraw::draw(std::int64_t cellsPerPage)
{
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto millisecondOfDay = duration_cast<milliseconds>(now).count() % (24 * 60 * 60 * 1000);
    std::mt19937 generator(static_cast<std::uint32_t>(millisecondOfDay));
    std::uniform_int_distribution<std::int64_t> pick(0,
                                                     std::max<std::int64_t>(cellsPerPage, 1) - 1);
    return pick(generator);
}

}  // namespace pixmosa
