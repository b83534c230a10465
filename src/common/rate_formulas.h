// The formulas the rates of inbreeding are made of, shared by the rates of
// the whole population and those of each subpopulation: the yearly rate that
// takes one value to another over a number of years, and the least-squares
// slope of a series. Single precision, summed in order.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace veldmarsh {

// Four yearly rates of a population: by the power formula on the mean F and
// on the mean kinship, then the same two by regression.
using inbreeding_rate_set = std::array<float, 4>;

// 1 - ((1 - last) / (1 - first)) ^ (1 / steps): the yearly rate that takes
// `first` to `last` in `steps` years. 0 when `steps` is 0 or 1 - first is 0.
float power_rate(float last, float first, std::int64_t steps);

// The least-squares slope of y on x over the first n points, about the given
// mean of x (the mean of y is their float sum divided by n). 0 when there is
// no point or all x are equal.
float regression_slope_about(std::int64_t n, std::span<const std::int32_t> x, std::span<const float> y, float x_mean);

// The least-squares slope of y on x over the first n points. The mean of x
// is the integer sum of x divided by n as a float (5.5 for x = 1..10).
void calc_regression_slope(std::int64_t n, std::span<const std::int32_t> x, std::span<const float> y, float& slope);

}  // namespace veldmarsh
