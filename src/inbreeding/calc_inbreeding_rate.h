// Rates of inbreeding per year of the whole population from the yearly
// means: by the power formula between the third and the last birth year,
// and by the log-linear regression of ln(1 - F) on the year, each for the
// mean F and for the mean kinship of distinct pairs.
#pragma once

#include "common/animal_record.h"
#include "common/rate_formulas.h"
#include "common/year_range.h"
#include "common/year_table.h"
#include "inbreeding/inbreeding_results.h"

namespace veldmarsh {

// The four rates from the yearly table on the kinship scale
// (convert_relationships_to_kinships). Power-formula rates need three birth
// years and regression rates two; otherwise, and where a formula would
// divide by zero, a rate is 0.
void calc_inbreeding_rate(const year_range& years, const inbreeding_results& inbreeding,
                          inbreeding_rate_set& inbreeding_rates);

// Rates by other formulas from a table of yearly sums, which it first turns
// into means in place by the counts of the animal table: column 1 per
// animal of the year, 2 per parent, 3 per father, 4 per mother, 5 per pair
// of the year's animals, 6 per pair of its parents (a column stays as it is
// when its count is too small). Nothing is halved. Not part of a run. A rate
// whose formula needs a row that does not exist, or divides by zero, is 0.
void calc_inbreeding_rate_variant(const animal_table& animal, const year_range& years,
                                  year_table<float>& year_inbreeding, inbreeding_rate_set& inbreeding_rates);

}  // namespace veldmarsh
