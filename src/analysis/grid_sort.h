#pragma once
// The grid's sort without the grid: the order its rows take by the texts of
// the key column. The lap report's two sorts are its two modes.

#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace zuv {

// By the number each text starts with, ascending: the lap report by lap
// number.
inline constexpr int kSortNumbers = 3;
// As texts, ascending in character order, case-sensitive: the lap report by
// lap time.
inline constexpr int kSortTexts = 7;

// The rows in their new order, each given by its index in `keys`; rows with
// equal keys keep their order. Nothing for a mode the windows do not sort
// with.
std::optional<std::vector<int>> sortedOrder(std::span<const QString> keys, int mode);

} // namespace zuv
