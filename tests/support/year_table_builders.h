// Small year tables for tests, filled row by row: rows[k - 1][j - 1] goes to
// cell (k, j); n_cols defaults to the width of the first row.
#pragma once

#include <cstdint>
#include <vector>

#include "common/year_table.h"

namespace veldmarsh::testing {

template <typename T>
year_table<T> year_table_of(const std::vector<std::vector<T>>& rows, std::int64_t n_cols = -1) {
  year_table<T> t;
  if (n_cols < 0) n_cols = rows.empty() ? 0 : static_cast<std::int64_t>(rows[0].size());
  allocate_year_table(t, static_cast<std::int64_t>(rows.size()), n_cols);
  for (std::size_t k = 0; k < rows.size(); ++k)
    for (std::size_t j = 0; j < rows[k].size(); ++j)
      t(static_cast<std::int64_t>(k) + 1, static_cast<std::int64_t>(j) + 1) = rows[k][j];
  return t;
}

}  // namespace veldmarsh::testing
