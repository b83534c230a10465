// The two tables of kinship by subpopulation: per birth year the mean
// inbreeding and mean kinship within every subpopulation, and the mean
// kinship between the animals of every pair of subpopulations born in the
// same year. Written for the whole population when the steering file
// defines more than one subpopulation.
#pragma once

#include <cstdint>

#include "common/run_context.h"
#include "common/year_range.h"
#include "common/year_table.h"

namespace veldmarsh {

// `year_subpop_kinship` has n_years rows, on the kinship scale: columns
// 2j - 1 and 2j the mean F and kinship within subpopulation j, then one
// column per pair (1,2), (1,3) .., (1,S), (2,3) .. (S-1,S), S =
// ctx.cfg.n_subpop. The columns are printed in stored order.
void write_subpop_kinship_report(run_context& ctx, const year_range& years,
                                 const year_table<float>& year_subpop_kinship);

}  // namespace veldmarsh
