// The last tables of a population's report: the INBREEDING table (per
// birth year the mean inbreeding coefficient and five mean kinships), the
// rates of inbreeding per year and per generation with the effective
// population size, and, from 11 birth years on, the rate of inbreeding per
// generation in successive periods. The whole population and every
// subpopulation use it with their own yearly table, rates and generation
// interval.
#pragma once

#include "common/rate_formulas.h"
#include "common/run_context.h"
#include "common/year_range.h"
#include "common/year_table.h"

namespace veldmarsh {

// Writes the three tables. `year_inbreeding` is n_years x 6 (mean F, then
// kinships: with self, without self, among parents, fathers, mothers);
// `rates` are the yearly rates (power formula on F, on kinship, regression
// on F, on kinship); `generation_interval` is in years.
void write_inbreeding_report(run_context& ctx, const year_range& years, const year_table<float>& year_inbreeding,
                             const inbreeding_rate_set& rates, float generation_interval);

}  // namespace veldmarsh
