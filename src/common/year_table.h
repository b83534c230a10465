// Per-birth-year tables: `n_rows` rows (row 1 is `first_year`, every year
// present even without animals) by `n_cols` columns, both one-based, stored
// row after row in one contiguous array. A dimension below 0 is taken as 0,
// an empty table.
#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

namespace veldmarsh {

template <typename T>
struct year_table {
  std::int64_t n_rows = 0;
  std::int64_t n_cols = 0;
  std::vector<T> cells;  // (k, j) at (k - 1) * n_cols + (j - 1)

  T& operator()(std::int64_t k, std::int64_t j) {
    assert(k >= 1 && k <= n_rows && j >= 1 && j <= n_cols);
    return cells[static_cast<std::size_t>((k - 1) * n_cols + (j - 1))];
  }
  const T& operator()(std::int64_t k, std::int64_t j) const {
    assert(k >= 1 && k <= n_rows && j >= 1 && j <= n_cols);
    return cells[static_cast<std::size_t>((k - 1) * n_cols + (j - 1))];
  }
};

// Largest number of cells a per-year table may hold; beyond it the run ends
// with a diagnostic rather than ask for more memory than any machine has.
inline constexpr std::int64_t max_year_table_cells = 2147483647;

// Gives `table` rows x cols cells, all zero. False when the table would hold
// more than `max_year_table_cells` cells (the table is then left empty).
template <typename T>
bool allocate_year_table(year_table<T>& table, std::int64_t rows, std::int64_t cols) {
  if (rows < 0) rows = 0;
  if (cols < 0) cols = 0;
  table.cells.clear();
  table.n_rows = table.n_cols = 0;
  if (cols != 0 && rows > max_year_table_cells / cols) return false;
  table.cells.assign(static_cast<std::size_t>(rows * cols), T{});
  table.n_rows = rows;
  table.n_cols = cols;
  return true;
}

}  // namespace veldmarsh
