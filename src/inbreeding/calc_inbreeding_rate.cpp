// Rates of inbreeding from the yearly means (see the header). Everything is
// single precision, summed year by year in order: the series are a few dozen
// years, so float sums lose nothing that shows.
#include "inbreeding/calc_inbreeding_rate.h"

#include <cassert>
#include <vector>

#include "common/single_math.h"

namespace veldmarsh {

namespace {

// The slope of y(1..n) against t = 1..n, the year's row, about the mean
// (n + 1) / 2 taken as a float.
float slope_over_rows(const std::vector<float>& y, std::int64_t n) {
  if (n < 1) return 0.0f;
  std::vector<std::int32_t> t(static_cast<std::size_t>(n));
  for (std::int64_t k = 1; k <= n; ++k) t[static_cast<std::size_t>(k - 1)] = static_cast<std::int32_t>(k);
  return regression_slope_about(n, t, y, static_cast<float>(n + 1) / 2.0f);
}

}  // namespace

void calc_inbreeding_rate(const year_range& years, const inbreeding_results& inbreeding,
                          inbreeding_rate_set& inbreeding_rates) {
  assert(inbreeding.kinship_scale);
  const year_table<float>& y = inbreeding.year_inbreeding;
  const std::int64_t n = years.n_years;

  // Power formula from the third year to the last, with the exponent
  // 1/(n - 2): the window counted in years, not in its n - 3 steps.
  inbreeding_rates[0] = n >= 3 ? power_rate(y(n, 1), y(3, 1), n - 2) : 0.0f;
  inbreeding_rates[1] = n >= 3 ? power_rate(y(n, 3), y(3, 3), n - 2) : 0.0f;

  // Log-linear regression over every year, empty years included (y = 0).
  std::vector<float> series(static_cast<std::size_t>(n), 0.0f);
  for (std::int64_t c : {1, 3}) {
    for (std::int64_t k = 1; k <= n; ++k) series[static_cast<std::size_t>(k - 1)] = log_single(1.0f - y(k, c));
    inbreeding_rates[c == 1 ? 2 : 3] = -slope_over_rows(series, n);
  }
}

void calc_inbreeding_rate_variant(const animal_table& animal, const year_range& years,
                                  year_table<float>& year_inbreeding, inbreeding_rate_set& inbreeding_rates) {
  year_table<float>& y = year_inbreeding;
  const std::int64_t n = years.n_years;

  // Animals, parents and fathers of every year, counted in one pass.
  std::vector<std::int64_t> animals(static_cast<std::size_t>(n) + 1, 0);
  std::vector<std::int64_t> parents(animals), fathers(animals);
  for (std::int64_t t = 1; t <= animal.size(); ++t) {
    const animal_record& r = animal[t];
    const std::int64_t k = years.row_of(r.birth_year);
    if (k == 0) continue;
    ++animals[static_cast<std::size_t>(k)];
    if (r.is_parent) {
      ++parents[static_cast<std::size_t>(k)];
      if (r.sex == 1) ++fathers[static_cast<std::size_t>(k)];
    }
  }
  auto divide = [](float& value, std::int64_t count) {
    if (count > 0) value /= static_cast<float>(count);
  };
  for (std::int64_t k = 1; k <= n; ++k) {
    std::int64_t c1 = animals[static_cast<std::size_t>(k)];
    std::int64_t c2 = parents[static_cast<std::size_t>(k)];
    std::int64_t c3 = fathers[static_cast<std::size_t>(k)];
    std::int64_t c4 = c2 - c3;
    divide(y(k, 1), c1);
    divide(y(k, 2), c2);
    divide(y(k, 3), c3);
    divide(y(k, 4), c4);
    if (c1 > 1) divide(y(k, 5), c1 * (c1 - 1) / 2);
    if (c2 > 1) divide(y(k, 6), c2 * (c2 - 1) / 2);
  }

  inbreeding_rates[0] = n >= 3 ? power_rate(y(n, 1), y(3, 1), n - 2) : 0.0f;
  std::int64_t r = n - 4 >= 1 ? n - 4 : 1;
  inbreeding_rates[1] = n >= 3 ? power_rate(y(r, 2), y(3, 2), n - 6) : 0.0f;

  // Slopes of the columns themselves, sign kept: column 1 over every year,
  // column 2 over all but the last four.
  std::vector<float> series(static_cast<std::size_t>(n > 0 ? n : 0), 0.0f);
  for (std::int64_t k = 1; k <= n; ++k) series[static_cast<std::size_t>(k - 1)] = y(k, 1);
  inbreeding_rates[2] = slope_over_rows(series, n);
  for (std::int64_t k = 1; k <= n; ++k) series[static_cast<std::size_t>(k - 1)] = y(k, 2);
  inbreeding_rates[3] = slope_over_rows(series, n - 4);
}

}  // namespace veldmarsh
