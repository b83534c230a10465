// Report tables of population size, parents and litters per birth year:
// the POPULATION SIZE table (with the share of the young that later become
// parents), the table of parents and litter size, and the Litter Sizes
// table. The whole population and every subpopulation print them from their
// own per-year tables; all lines go to the report file.
#pragma once

#include <array>
#include <cstdint>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_table.h"

namespace veldmarsh {

// Column sums t1..t6 of `parent_counts_by_year` after the population-size
// table has turned columns 1 and 4 into the animals that never became
// parents. The litter table of the same population reads them.
using population_total_set = std::array<std::int32_t, 6>;

// Writes the POPULATION SIZE table (with import columns when the data file
// has an import column). Changes `parent_counts_by_year` in place: column 1
// loses column 2 and column 4 loses column 5, so that they hold the year's
// non-import males and females that never became parents (a second call
// would subtract again). Fills `population_totals`. `animal` is the whole
// table: its size and its records without a birth year are counted in the
// closing line, also for a subpopulation.
void write_population_size_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year,
                                  std::int64_t n_years, const animal_table& animal,
                                  year_table<std::int32_t>& parent_counts_by_year,
                                  population_total_set& population_totals);

// Writes the table of parents and litter size per year; its total row reads
// the `population_totals` that the population-size table of the same
// population wrote.
void write_litter_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year, std::int64_t n_years,
                         const year_table<std::int32_t>& litter_stats,
                         const population_total_set& population_totals);

// Writes the Litter Sizes table: litters per birth year by size, from 1 up
// to the largest size that occurs (litters of 100 or more count as 100).
void write_litter_size_table(run_context& ctx, std::int32_t last_year, std::int32_t first_year,
                             std::int64_t n_years, const year_table<std::int32_t>& litter_stats);

}  // namespace veldmarsh
