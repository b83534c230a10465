// The INBREEDING table, the table of rates with the effective population
// size, and the rates per period (see the header). Every real is single
// precision, computed step by step in a fixed order.
#include "reports/write_inbreeding_report.h"

#include <cmath>
#include <limits>
#include <vector>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "common/rate_formulas.h"
#include "common/single_math.h"
#include "reports/report_rules.h"

namespace veldmarsh {

namespace {

void write_inbreeding_table(output_channel& report, bool english, const year_range& years,
                            const year_table<float>& year_inbreeding) {
  write_separator_line(report);
  if (english) {
    write_free_line(report, {"           INBREEDING"});
    write_underscores(report, 64);
    write_free_line(report, {" Yr.of     F       f       f       f       f     f    "});
    write_free_line(report, {" birth    all     incl.  excl. parents fathers mothers"});
    write_free_line(report, {"   -    animals   self   self        "});
  } else {
    write_free_line(report, {"           INTEELT"});
    write_underscores(report, 64);
    write_free_line(report, {"  geb.     F       f       f       f       f     f    "});
    write_free_line(report, {"  jaar    alle    incl.  excl.   ouders  vaders moeders         "});
    // The three tab bytes belong to the heading.
    write_free_line(report, {"         dieren   zelf   zelf                 \t\t\t      "});
  }
  write_underscores(report, 64);
  for (std::int64_t k = 1; k <= years.n_years; ++k)
    write_fixed_line(
        report, "(I8,6F8.4)",
        {static_cast<long>(years.year_of(k)), cell_or_zero(year_inbreeding, k, 1),
         cell_or_zero(year_inbreeding, k, 2), cell_or_zero(year_inbreeding, k, 3), cell_or_zero(year_inbreeding, k, 4),
         cell_or_zero(year_inbreeding, k, 5), cell_or_zero(year_inbreeding, k, 6)});
  write_underscores(report, 64);
}

// One line of the rate table: the yearly rate in percent, the rate per
// generation and the effective population size 1 / (2 x rate per generation).
void write_rate_line(output_channel& report, const char* label, float rate, float generation_interval) {
  const float per_year = 100.0f * rate;
  const float per_generation = per_year * generation_interval;
  const float divisor = per_generation * 0.02f;
  // No rate of inbreeding: an infinite population, shown as asterisks.
  const float ne = divisor == 0 ? std::numeric_limits<float>::infinity() : 1.0f / divisor;
  write_fixed_line(report, "(A16,F10.2,A1,F10.2,A1,F10.2)", {label, per_year, "%", per_generation, "%", ne});
}

void write_rate_table(output_channel& report, bool english, const inbreeding_rate_set& rates,
                      float generation_interval) {
  write_separator_line(report);
  write_underscores(report, 45);
  write_free_line(report, {"                deltaF     deltaF      Ne    "});
  write_free_line(report, {english ? "                 year     generation         "
                                   : "                 jaar     generatie          "});
  write_underscores(report, 45);
  write_rate_line(report, "deltaF absolute ", rates[0], generation_interval);
  write_rate_line(report, "deltaF smoothed ", rates[2], generation_interval);
  write_rate_line(report, "deltaf absolute ", rates[1], generation_interval);
  write_rate_line(report, "deltaf smoothed ", rates[3], generation_interval);
  write_underscores(report, 45);
}

// Rates per generation, in percent, of rows first..last: minus the slopes of
// ln(1 - F) and ln(1 - f) on the row number, times 100 L.
void calc_period_rates(const year_table<float>& year_inbreeding, std::int64_t first, std::int64_t last,
                       float generation_interval, float period_rates[2]) {
  const std::int64_t n = last - first + 1;
  std::vector<std::int32_t> x(static_cast<std::size_t>(n));
  std::vector<float> y_f(static_cast<std::size_t>(n)), y_kinship(static_cast<std::size_t>(n));
  for (std::int64_t i = 0; i < n; ++i) {
    const std::int64_t row = first + i;
    x[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(row);
    y_f[static_cast<std::size_t>(i)] = log_single(1.0f - cell_or_zero(year_inbreeding, row, 1));
    y_kinship[static_cast<std::size_t>(i)] = log_single(1.0f - cell_or_zero(year_inbreeding, row, 2));
  }
  float slope_f = 0, slope_kinship = 0;
  calc_regression_slope(n, x, y_f, slope_f);
  calc_regression_slope(n, x, y_kinship, slope_kinship);
  const float scale = -(100.0f * generation_interval);
  period_rates[0] = scale * slope_f;
  period_rates[1] = scale * slope_kinship;
}

void write_period_rates(output_channel& report, bool english, const year_range& years,
                        const year_table<float>& year_inbreeding, float generation_interval) {
  const std::int64_t n_years = years.n_years;
  // nper periods of p + 1 rows after a first period of r rows; consecutive
  // periods share a row, and the last one ends at the last year.
  const std::int64_t nper = n_years / 10;
  const std::int64_t p = n_years / (nper + 1);
  const std::int64_t r = n_years - p * nper;
  write_separator_line(report);
  if (english)
    write_free_line(report, {"Inbreeding rate for periods of ", static_cast<long>(p), " years"});
  else
    write_free_line(report, {"Inteelttoename per periode van ", static_cast<long>(p), " jaar"});
  write_underscores(report, 45);
  auto write_period = [&](std::int64_t first, std::int64_t last) {
    float period_rates[2];
    calc_period_rates(year_inbreeding, first, last, generation_interval, period_rates);
    write_fixed_line(report, "(I4,A3,I4,F14.3,A2,F14.3,A1)",
                     {static_cast<long>(years.year_of(first)), " - ", static_cast<long>(years.year_of(last)),
                      period_rates[0], "%", period_rates[1], "%"});
  };
  write_period(1, r);
  for (std::int64_t k = 1; k <= nper; ++k) write_period(r + (k - 1) * p, r + k * p);
  write_underscores(report, 45);
}

}  // namespace

void write_inbreeding_report(run_context& ctx, const year_range& years, const year_table<float>& year_inbreeding,
                             const inbreeding_rate_set& rates, float generation_interval) {
  const bool english = ctx.cfg.english;
  write_inbreeding_table(ctx.report, english, years, year_inbreeding);
  write_rate_table(ctx.report, english, rates, generation_interval);
  if (years.n_years < 11) return;
  write_period_rates(ctx.report, english, years, year_inbreeding, generation_interval);
}

}  // namespace veldmarsh
