// Rates of inbreeding from the yearly means (see the header). Everything is
// single precision, summed year by year in order: the series are a few dozen
// years, so float sums lose nothing that shows.
#include "inbreeding/calc_inbreeding_rate.h"

#include <math.h>
#include <vector>

namespace veldmarsh {

namespace {

// 1 - ((1 - last) / (1 - first)) ^ (1 / steps): the yearly rate that takes
// the value `first` to `last` in `steps` years. 0 when a divisor is 0.
float power_rate(float last, float first, std::int64_t steps) {
  if (steps == 0) return 0.0f;
  float exponent = 1.0f / static_cast<float>(steps);
  float base = 1.0f - first;
  if (base == 0.0f) return 0.0f;
  float ratio = (1.0f - last) / base;
  return 1.0f - powf(ratio, exponent);
}

// Least-squares slope of y(1..n) against t = 1..n; 0 without spread in t.
float regression_slope(const std::vector<float>& y, std::int64_t n) {
  if (n < 1) return 0.0f;
  float t_mean = static_cast<float>(n + 1) / 2.0f;
  float y_sum = 0.0f;
  for (std::int64_t k = 1; k <= n; ++k) y_sum += y[static_cast<std::size_t>(k)];
  float y_mean = y_sum / static_cast<float>(n);
  float sxy = 0.0f;
  float sxx = 0.0f;
  for (std::int64_t k = 1; k <= n; ++k) {
    float dt = static_cast<float>(k) - t_mean;
    sxy += dt * (y[static_cast<std::size_t>(k)] - y_mean);
    sxx += dt * dt;
  }
  if (sxx == 0.0f) return 0.0f;
  return sxy / sxx;
}

}  // namespace

void calc_inbreeding_rate(std::int64_t n_years, std::int32_t, std::int32_t, const animal_table&,
                          year_table<float>& year_inbreeding, inbreeding_rate_set& inbreeding_rates) {
  year_table<float>& y = year_inbreeding;
  const std::int64_t n = n_years > 0 ? n_years : 0;
  for (std::int64_t k = 1; k <= n; ++k)
    for (std::int64_t c = 2; c <= 6; ++c) y(k, c) *= 0.5f;

  // Power formula from the third year to the last, with the exponent
  // 1/(n - 2): the window counted in years, not in its n - 3 steps.
  inbreeding_rates[0] = n >= 3 ? power_rate(y(n, 1), y(3, 1), n - 2) : 0.0f;
  inbreeding_rates[1] = n >= 3 ? power_rate(y(n, 3), y(3, 3), n - 2) : 0.0f;

  // Log-linear regression over every year, empty years included (y = 0).
  std::vector<float> series(static_cast<std::size_t>(n) + 1, 0.0f);
  for (std::int64_t c : {1, 3}) {
    for (std::int64_t k = 1; k <= n; ++k) series[static_cast<std::size_t>(k)] = logf(1.0f - y(k, c));
    float slope = regression_slope(series, n);
    inbreeding_rates[c == 1 ? 2 : 3] = -slope;
  }
}

void calc_inbreeding_rate_variant(std::int64_t n_years, std::int32_t first_year, std::int32_t last_year,
                                  const animal_table& animal, year_table<float>& year_inbreeding,
                                  inbreeding_rate_set& inbreeding_rates) {
  year_table<float>& y = year_inbreeding;
  const std::int64_t n = n_years > 0 ? n_years : 0;

  // Animals, parents and fathers of every year, counted in one pass.
  std::vector<std::int64_t> animals(static_cast<std::size_t>(n) + 1, 0);
  std::vector<std::int64_t> parents(animals), fathers(animals);
  for (std::int64_t t = 1; t <= animal.size(); ++t) {
    const animal_record& r = animal[t];
    if (r.birth_year < first_year || r.birth_year > last_year) continue;
    std::int64_t k = static_cast<std::int64_t>(r.birth_year) - first_year + 1;
    if (k > n) continue;
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
  std::vector<float> series(static_cast<std::size_t>(n) + 1, 0.0f);
  for (std::int64_t k = 1; k <= n; ++k) series[static_cast<std::size_t>(k)] = y(k, 1);
  inbreeding_rates[2] = regression_slope(series, n);
  for (std::int64_t k = 1; k <= n; ++k) series[static_cast<std::size_t>(k)] = y(k, 2);
  inbreeding_rates[3] = regression_slope(series, n - 4);
}

}  // namespace veldmarsh
