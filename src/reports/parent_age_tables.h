// Report tables of the parents' ages and offspring per birth year: the AGE
// fathers and AGE mothers tables, the GENERATION INTERVAL table (which gives
// the generation interval that turns yearly rates into rates per
// generation), and the OFFSPRING/PARENT table with the male and the female
// with the most offspring. The whole population and every subpopulation
// print them from their own tables; all lines go to the report file.
#pragma once

#include <array>
#include <cstdint>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_table.h"

namespace veldmarsh {

// Writes the fathers' table from `sire_age_count` (`max_sire_age` age
// columns), then the mothers' table from `dam_age_count`. A parent whose
// oldest age class is below 1 gets one line instead of its table.
void write_parent_age_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year,
                             std::int64_t n_years, std::int32_t max_sire_age,
                             const year_table<std::int32_t>& sire_age_count, std::int32_t max_dam_age,
                             const year_table<std::int32_t>& dam_age_count);

// Writes the GENERATION INTERVAL table from the yearly mean ages of sires and
// dams (in years) and the overall mean ages ([0] sires, [1] dams), and
// returns the generation interval: the plain mean of the two overall ages.
// Its rows run from `first_year` to `last_year`.
float write_generation_interval_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year,
                                       const year_table<float>& mean_sire_age_by_year,
                                       const year_table<float>& mean_dam_age_by_year,
                                       const std::array<float, 2>& overall_parent_ages);

// Writes the OFFSPRING/PARENT table by the parents' own birth year, then the
// name, identification, birth year and offspring count of the male and of
// the female with the most offspring.
void write_offspring_per_parent_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year,
                                       std::int64_t n_years, const year_table<float>& offspring_stats_by_year,
                                       const animal_record& top_male, const animal_record& top_female);

}  // namespace veldmarsh
