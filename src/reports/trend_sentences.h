// Trend sentences and correlation: report routines a writer may call to put
// a yearly series into words. Each sentence compares the mean of a recent
// block of five years with that of a base block labelled 1991-1995 and says
// whether the series fell, rose or stayed more or less stable; integer
// series are rounded to round figures first. The run itself calls none of
// them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/output_channel.h"
#include "common/run_context.h"

namespace veldmarsh {

// Thresholds and steps of `round_to_about`: above 50 to multiples of 5,
// above 100 of 10, above 800 of 25, above 1500 of 50, above 6000 of 100.
using rounding_table = std::array<std::int32_t, 5>;
inline constexpr rounding_table about_thresholds{50, 100, 800, 1500, 6000};
inline constexpr rounding_table about_steps{5, 10, 25, 50, 100};

// `x` rounded to a round figure: to a whole number when it exceeds no
// threshold, else to a multiple of the step of the last threshold it
// exceeds (83 gives 85, 1234 gives 1225). A result beyond the 32-bit range
// is clamped to it.
void round_to_about(float x, std::int32_t& about, const rounding_table& thresholds, const rounding_table& steps);

// One sentence on the trend of x(1..n) (x[0] is x(1)): the mean of
// x(n-5)..x(n-1) against the mean of the base block, the label (`w`
// characters, 1 to 99; a shorter text is blank-padded, a longer one cut)
// first. A fall or a rise goes to `unit`; a stable series is said on the
// report file; a line of three blanks follows on the report file. Nothing
// is written when a block needs a row outside the series (n below 6), or
// when `w` or `digits` lies outside its range. A base mean of 0 counts as
// ratio 0.
//
// Integer series, base block x(1)..x(5), values rounded by round_to_about;
// `first_year` is not read.
void write_trend_sentence_en(run_context& ctx, std::int32_t n, std::span<const std::int32_t> x, std::int32_t w,
                             std::string_view label, std::int32_t first_year, output_channel& unit);
void write_trend_sentence_nl(run_context& ctx, std::int32_t n, std::span<const std::int32_t> x, std::int32_t w,
                             std::string_view label, std::int32_t first_year, output_channel& unit);

// Real series, values with `digits` decimals (0 to 9). The English sentence
// takes its base block from the rows of 1991 to 1995 (row = year -
// `first_year` + 1); the Dutch one from x(1)..x(5) and does not read
// `first_year`.
void write_trend_sentence_real_en(run_context& ctx, std::int32_t n, std::span<const float> x, std::int32_t w,
                                  std::string_view label, std::int32_t first_year, output_channel& unit,
                                  std::int32_t digits);
void write_trend_sentence_real_nl(run_context& ctx, std::int32_t n, std::span<const float> x, std::int32_t w,
                                  std::string_view label, std::int32_t first_year, output_channel& unit,
                                  std::int32_t digits);

// Pearson correlation of x(1..n) and y(1..n), in single precision; 0 with
// fewer than two values or when either series is constant.
void calc_correlation(std::int32_t n, std::span<const float> x, std::span<const float> y, float& r);

}  // namespace veldmarsh
