#include "generator/page_plan.h"

namespace pixmosa {

PagesRequired computePagesRequired(std::size_t images, std::int64_t rows, std::int64_t cols)
{
    const std::int64_t cellsPerPage = rows * cols;
    if (cellsPerPage == 0) {
        return {0, "You cannot have zero rows or zero columns"};
    }
    // A negative product, from a typed minus sign, gives no pages or fewer than none, as the
    // division truncated toward zero does.
    const auto count = static_cast<std::int64_t>(images);
    return {count / cellsPerPage + (count % cellsPerPage > 0 ? 1 : 0), std::nullopt};
}

std::string pagesRequiredText(std::size_t images, std::int64_t pageCount)
{
    return "Images:" + std::to_string(images) + "  Pages:" + std::to_string(pageCount);
}

}  // namespace pixmosa
