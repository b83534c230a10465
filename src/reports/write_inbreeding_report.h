// The last tables of a population's report: the INBREEDING table (per
// birth year the mean inbreeding coefficient and five mean kinships), the
// rates of inbreeding per year and per generation with the effective
// population size, and, from 11 birth years on, the rate of inbreeding per
// generation in successive periods. The whole population and every
// subpopulation use it with their own yearly table, rates and generation
// interval.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "common/run_context.h"
#include "common/year_table.h"

namespace veldmarsh {

// The least-squares slope of y on x over the first n points, in single
// precision: the mean of x is the integer sum divided as a real. 0 when
// there is no point or all x are equal (a slope with Sxx = 0).
void calc_regression_slope(std::int64_t n, std::span<const std::int32_t> x, std::span<const float> y, float& slope);

// Writes the three tables. `year_inbreeding` is n_years x 6 (mean F, then
// kinships: with self, without self, among parents, fathers, mothers);
// `rates` are the yearly rates (power formula on F, on kinship, regression
// on F, on kinship); `generation_interval` is in years.
void write_inbreeding_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year, std::int64_t n_years,
                             const year_table<float>& year_inbreeding, const std::array<float, 4>& rates,
                             float generation_interval);

}  // namespace veldmarsh
