// The summary block of the report: over the recent birth years the litters
// per year, the dams and the sires available for breeding per year with the
// derivation of each estimate, the share of the young by the 4 most used
// sires, and the distributions of litter size and of the parents' ages.
// Written once, for the whole population.
#pragma once

#include "common/run_context.h"
#include "common/year_range.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// The recent years are the six birth years before the last (fewer when the
// data has fewer); the last birth year never counts. Reads of the yearly
// counts column 2 (sires) and 5 (dams) of `parent_counts_by_year`, columns
// 1-4 of the top sires' shares (percentages by then), the age classes of
// `sire_age_count` and `dam_age_count` up to the oldest parents, and
// columns 1 and 3..102 of `litter_stats`. A mean or share whose divisor is
// 0 is 0.
void write_population_summary(run_context& ctx, const year_range& years, const year_count_tables& counts);

}  // namespace veldmarsh
