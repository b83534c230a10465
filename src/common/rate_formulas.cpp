// Power rate and regression slope (see the header).
#include "common/rate_formulas.h"

#include <math.h>

namespace veldmarsh {

float power_rate(float last, float first, std::int64_t steps) {
  if (steps == 0) return 0.0f;
  const float base = 1.0f - first;
  if (base == 0.0f) return 0.0f;
  return 1.0f - powf((1.0f - last) / base, 1.0f / static_cast<float>(steps));
}

void calc_regression_slope(std::int64_t n, std::span<const std::int32_t> x, std::span<const float> y, float& slope) {
  slope = 0.0f;
  if (n < 1) return;
  std::int64_t x_sum = 0;
  float y_sum = 0.0f;
  for (std::int64_t i = 0; i < n; ++i) {
    x_sum += x[static_cast<std::size_t>(i)];
    y_sum += y[static_cast<std::size_t>(i)];
  }
  // Rounded once from the exact quotient: the same float as the sum divided
  // as a real whenever the sum itself is a float, and for x = 1..n exactly (n + 1) / 2.
  const float xm = static_cast<float>(static_cast<double>(x_sum) / static_cast<double>(n));
  const float ym = y_sum / static_cast<float>(n);
  float sxy = 0.0f, sxx = 0.0f;
  for (std::int64_t i = 0; i < n; ++i) {
    const float dx = static_cast<float>(x[static_cast<std::size_t>(i)]) - xm;
    const float dy = y[static_cast<std::size_t>(i)] - ym;
    sxy += dx * dy;
    sxx += dx * dx;
  }
  if (sxx != 0.0f) slope = sxy / sxx;
}

}  // namespace veldmarsh
