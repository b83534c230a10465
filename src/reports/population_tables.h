// Report tables of population size, parents and litters per birth year:
// the POPULATION SIZE table (with the share of the young that later become
// parents), the table of parents and litter size, and the Litter Sizes
// table. The whole population and every subpopulation print them from their
// own yearly counts; all lines go to the report file.
#pragma once

#include <cstdint>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_range.h"
#include "common/year_table.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Writes the POPULATION SIZE table (with import columns when the data file
// has an import column) from `parent_counts_by_year` once count_non_parents
// has turned columns 1 and 4 into the non-parents, and its totals.
// `animal` is the whole table: its size and its records without a birth
// year are counted in the closing line, also for a subpopulation.
void write_population_size_report(run_context& ctx, const year_range& years, const animal_table& animal,
                                  const year_table<std::int32_t>& parent_counts_by_year,
                                  const population_total_set& population_totals);

// Writes the table of parents and litter size per year; its total row counts
// the fathers among the population's totals.
void write_litter_report(run_context& ctx, const year_range& years, const year_table<std::int32_t>& litter_stats,
                         const population_total_set& population_totals);

// Writes the Litter Sizes table: litters per birth year by size, from 1 up
// to the largest size that occurs (litters of 100 or more count as 100).
void write_litter_size_table(run_context& ctx, const year_range& years,
                             const year_table<std::int32_t>& litter_stats);

}  // namespace veldmarsh
