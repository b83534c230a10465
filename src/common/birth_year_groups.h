// The animals of every birth year: their numbers, year by year and in table
// order within a year. Grouped in one pass, so that a loop over the years
// touches only each year's own animals and the whole loop is linear in the
// number of animals plus the number of years.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_range.h"

namespace veldmarsh {

struct birth_year_groups {
  year_range years;
  std::vector<std::int64_t> start;    // row k holds numbers[start[k - 1] .. start[k] - 1]
  std::vector<std::int32_t> numbers;  // animal numbers, increasing within a row

  // The animals of row k (1..years.n_years).
  std::span<const std::int32_t> of(std::int64_t k) const {
    const std::size_t from = static_cast<std::size_t>(start[static_cast<std::size_t>(k - 1)]);
    const std::size_t to = static_cast<std::size_t>(start[static_cast<std::size_t>(k)]);
    return std::span<const std::int32_t>(numbers.data() + from, to - from);
  }
};

// The animals of `animal` whose birth year lies in `years` (animals without a
// birth year belong to no row), or only those of `members` (numbers in table
// order) when it is not null. Tables too large for memory end the run
// with a diagnostic.
birth_year_groups group_by_birth_year(run_context& ctx, const animal_table& animal, const year_range& years,
                                      const std::vector<std::int32_t>* members);

// The animals `numbers` (in table order) grouped by their rows `rows` of
// `years` (0: no row), found beforehand, so that no record is read again.
birth_year_groups group_by_rows(run_context& ctx, const year_range& years, std::span<const std::int32_t> numbers,
                                std::span<const std::int32_t> rows);

}  // namespace veldmarsh
