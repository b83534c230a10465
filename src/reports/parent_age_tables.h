// Report tables of the parents' ages and offspring per birth year: the AGE
// fathers and AGE mothers tables, the GENERATION INTERVAL table, and the
// OFFSPRING/PARENT table with the male and the female with the most
// offspring. The whole population and every subpopulation print them from
// their own yearly counts; all lines go to the report file.
#pragma once

#include <array>
#include <cstdint>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_range.h"
#include "common/year_table.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Writes the fathers' table from `sire_age_count` (as many age columns as
// the oldest sire's age), then the mothers' table from `dam_age_count`. A
// parent whose oldest age class is below 1 gets one line instead of its
// table.
void write_parent_age_report(run_context& ctx, const year_range& years, const oldest_parents& oldest,
                             const year_table<std::int32_t>& sire_age_count,
                             const year_table<std::int32_t>& dam_age_count);

// Writes the GENERATION INTERVAL table from the yearly mean ages of sires and
// dams (in years), the overall mean ages ([0] sires, [1] dams) and the
// generation interval.
void write_generation_interval_report(run_context& ctx, const year_range& years,
                                      const year_table<float>& mean_sire_age_by_year,
                                      const year_table<float>& mean_dam_age_by_year,
                                      const std::array<float, 2>& overall_parent_ages, float generation_interval);

// Writes the OFFSPRING/PARENT table by the parents' own birth year, then the
// name, identification, birth year and offspring count of the male and of
// the female with the most offspring.
void write_offspring_per_parent_report(run_context& ctx, const year_range& years,
                                       const year_table<float>& offspring_stats_by_year,
                                       const animal_label& top_male, const animal_label& top_female);

}  // namespace veldmarsh
