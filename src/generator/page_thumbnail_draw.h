#pragma once

#include <cstdint>

namespace pixmosa {

// Picks which thumbnail of a gallery page the index page shows for it.
class PageThumbnailDraw {
public:
    virtual ~PageThumbnailDraw() = default;
    // A whole number from 0 to cellsPerPage - 1, each as likely as the others.
    virtual std::int64_t draw(std::int64_t cellsPerPage) = 0;
};

// Seeded afresh from the time of day in milliseconds before every draw, so pages drawn within
// the same millisecond get the same pick.
class TimeSeededDraw final : public PageThumbnailDraw {
public:
    std::int64_t draw(std::int64_t cellsPerPage) override;
};

}  // namespace pixmosa
