// How often a long loop over the animals writes a progress line: every so
// many animals, more between two lines the larger the table.
#pragma once

#include <cstdint>

namespace veldmarsh {

// Up to `n_bounds` table sizes, increasing, and the interval that holds up to
// each of them; `intervals[n_bounds]` holds beyond the last bound.
struct progress_ladder {
  int n_bounds;
  std::int64_t bounds[3];
  std::int64_t intervals[4];
};

// Reading the data file and building the breeder list.
inline constexpr progress_ladder reading_progress{3, {4000, 10000, 25000}, {100, 500, 1000, 5000}};
// Linking parents and offspring, and the ages of the parents.
inline constexpr progress_ladder linking_progress{2, {10000, 25000}, {100, 200, 500}};
// The inbreeding coefficients.
inline constexpr progress_ladder inbreeding_progress{2, {10000, 25000}, {200, 500, 1000}};
// The kinship of one birth year, by the size of the year.
inline constexpr progress_ladder kinship_progress{2, {10000, 25000}, {500, 1000, 5000}};

// The interval of `ladder` for a table (or a year) of `n` animals.
constexpr std::int64_t progress_interval(std::int64_t n, const progress_ladder& ladder) {
  for (int i = 0; i < ladder.n_bounds; ++i)
    if (n <= ladder.bounds[i]) return ladder.intervals[i];
  return ladder.intervals[ladder.n_bounds];
}

}  // namespace veldmarsh
