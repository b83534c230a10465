// The summary block of the report: over the recent birth years the litters
// per year, the dams and the sires available for breeding per year with the
// derivation of each estimate, the share of the young by the 4 most used
// sires, and the distributions of litter size and of the parents' ages.
// Written once, for the whole population.
#pragma once

#include <cstdint>

#include "common/run_context.h"
#include "common/year_table.h"

namespace veldmarsh {

// The recent years are the six birth years before the last (fewer when the
// data has fewer); the last birth year never counts. Reads column 2 (sires)
// and 5 (dams) of `parent_counts_by_year`, columns 1-4 of `top_sire_share`
// (percentages by then), the age classes 1..max_sire_age (max_dam_age) of
// `sire_age_count` (`dam_age_count`) and columns 1 and 3..102 of
// `litter_stats`. A mean or share whose divisor is 0 is 0.
void write_population_summary(run_context& ctx, std::int64_t n_years, std::int32_t first_year,
                              std::int32_t max_sire_age, std::int32_t max_dam_age,
                              const year_table<std::int32_t>& parent_counts_by_year,
                              const year_table<float>& top_sire_share, const year_table<std::int32_t>& sire_age_count,
                              const year_table<std::int32_t>& dam_age_count,
                              const year_table<std::int32_t>& litter_stats);

}  // namespace veldmarsh
