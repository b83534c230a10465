// Power rate and regression slope (see the header).
#include "common/rate_formulas.h"

#include "common/single_math.h"

namespace veldmarsh {

float power_rate(float last, float first, std::int64_t steps) {
  if (steps == 0) return 0.0f;
  const float base = 1.0f - first;
  if (base == 0.0f) return 0.0f;
  return 1.0f - pow_single((1.0f - last) / base, 1.0f / static_cast<float>(steps));
}

float regression_slope_about(std::int64_t n, std::span<const std::int32_t> x, std::span<const float> y, float x_mean) {
  if (n < 1) return 0.0f;
  float y_sum = 0.0f;
  for (std::int64_t i = 0; i < n; ++i) y_sum += y[static_cast<std::size_t>(i)];
  const float y_mean = y_sum / static_cast<float>(n);
  float sxy = 0.0f, sxx = 0.0f;
  for (std::int64_t i = 0; i < n; ++i) {
    const float dx = static_cast<float>(x[static_cast<std::size_t>(i)]) - x_mean;
    const float dy = y[static_cast<std::size_t>(i)] - y_mean;
    sxy += dx * dy;
    sxx += dx * dx;
  }
  return sxx != 0.0f ? sxy / sxx : 0.0f;
}

void calc_regression_slope(std::int64_t n, std::span<const std::int32_t> x, std::span<const float> y, float& slope) {
  slope = 0.0f;
  if (n < 1) return;
  std::int64_t x_sum = 0;
  for (std::int64_t i = 0; i < n; ++i) x_sum += x[static_cast<std::size_t>(i)];
  slope = regression_slope_about(n, x, y, static_cast<float>(x_sum) / static_cast<float>(n));
}

}  // namespace veldmarsh
