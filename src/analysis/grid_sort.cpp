#include "analysis/grid_sort.h"

#include "platform/numbers.h"

#include <algorithm>
#include <numeric>

namespace zuv {

std::optional<std::vector<int>> sortedOrder(std::span<const QString> keys, int mode)
{
    if (mode != kSortNumbers && mode != kSortTexts)
        return std::nullopt;
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    const auto key = [&keys](int row) -> const QString& { return keys[std::size_t(row)]; };
    if (mode == kSortNumbers)
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return leadingNumber(key(a)) < leadingNumber(key(b)); });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return key(a).compare(key(b), Qt::CaseSensitive) < 0; });
    return order;
}

} // namespace zuv
