// The birth years of the pedigree. Every per-year table has one row per year
// from `first_year` to `last_year` (row k is birth year first_year + k - 1),
// also for a year without animals.
#pragma once

#include <cstdint>

namespace veldmarsh {

struct year_range {
  std::int32_t first_year = 0;  // smallest birth year other than 0; 2147483647 when there is none
  std::int32_t last_year = 0;   // largest birth year, 0 included; -2147483648 for an empty table
  std::int64_t n_years = 0;     // max(0, last_year - first_year + 1): the rows of every per-year table

  // The birth year of row k.
  std::int64_t year_of(std::int64_t k) const { return static_cast<std::int64_t>(first_year) + k - 1; }

  // The row of birth year `year`; 0 when the year lies outside the range.
  std::int64_t row_of(std::int32_t year) const {
    const std::int64_t k = static_cast<std::int64_t>(year) - first_year + 1;
    return k >= 1 && k <= n_years ? k : 0;
  }
};

// The range from `first_year` to `last_year` (none when last_year < first_year).
inline year_range make_year_range(std::int32_t first_year, std::int32_t last_year) {
  const std::int64_t n = static_cast<std::int64_t>(last_year) - first_year + 1;
  return {first_year, last_year, n > 0 ? n : 0};
}

}  // namespace veldmarsh
