// Trend sentences and correlation (see the header). The four sentence
// routines share one core: gather the two blocks of five values, decide
// between fall, rise and stable, then write the sentence in the member's
// language and number form.
#include "reports/trend_sentences.h"

#include <math.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "common/fixed_format.h"
#include "common/fixed_text.h"
#include "common/free_format.h"

namespace veldmarsh {

namespace {

constexpr int block_size = 5;
using block = std::array<double, block_size>;  // int32 and float values are exact in double

// The words of one language. Field widths are those of the sentence's
// format; the Dutch strong rise is one character short of its field, so it
// begins with a blank once right-aligned.
struct trend_texts {
  std::string_view fall, strong_fall, rise, strong_rise;
  int fall_width, strong_fall_width, rise_width, strong_rise_width;
  std::string_view period;      // after the base value
  std::string_view stable;      // after the label of a stable series
  std::string_view stable_and;  // between the two values of a stable series
  int stable_and_width;         // its field in the stable line of a real series
};

constexpr trend_texts english_texts{" decreased from about ",
                                    " strong decrease from about ",
                                    " increased from about ",
                                    " strong increase from about ",
                                    22,
                                    28,
                                    22,
                                    28,
                                    " (1991-1995) to about ",
                                    " more or less stable between ",
                                    " and ",
                                    6};

constexpr trend_texts dutch_texts{" gedaald van rond de ",
                                  " sterk gedaald van rond de ",
                                  " gestegen van rond de ",
                                  "sterk gestegen van rond de ",
                                  21,
                                  27,
                                  22,
                                  28,
                                  " (1991-1995) tot rond de ",
                                  " min of meer gelijk gebleven tussen de ",
                                  "en de ",
                                  7};

enum class trend_kind { fall, strong_fall, rise, strong_rise, stable };

struct trend {
  trend_kind kind = trend_kind::stable;
  float base_mean = 0;
  float recent_mean = 0;
  double low = 0;   // smallest value of both blocks
  double high = 0;  // largest value of both blocks
};

float block_mean(const block& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return static_cast<float>(sum / block_size);
}

trend assess(const block& base, const block& recent) {
  trend t;
  t.base_mean = block_mean(base);
  t.recent_mean = block_mean(recent);
  // A base of 0 has no ratio to speak of: it counts as 0.
  float ratio = t.base_mean == 0.0f ? 0.0f : t.recent_mean / t.base_mean;
  auto [base_low, base_high] = std::minmax_element(base.begin(), base.end());
  auto [recent_low, recent_high] = std::minmax_element(recent.begin(), recent.end());
  t.low = std::min(*base_low, *recent_low);
  t.high = std::max(*base_high, *recent_high);
  if (*base_low > *recent_high)
    t.kind = ratio > 0.75f ? trend_kind::fall : trend_kind::strong_fall;
  else if (*recent_low > *base_high)
    t.kind = ratio < 1.25f ? trend_kind::rise : trend_kind::strong_rise;
  return t;
}

// The phrase of a fall or rise and its field width.
std::string_view phrase_of(const trend_texts& texts, trend_kind kind, int& width) {
  switch (kind) {
    case trend_kind::fall: width = texts.fall_width; return texts.fall;
    case trend_kind::strong_fall: width = texts.strong_fall_width; return texts.strong_fall;
    case trend_kind::rise: width = texts.rise_width; return texts.rise;
    default: width = texts.strong_rise_width; return texts.strong_rise;
  }
}

std::string two_digits(std::int32_t w) {
  std::string s = std::to_string(w);
  return s.size() < 2 ? "0" + s : s;
}

// The recent block x(n-5)..x(n-1) and the base block from `base_row` on
// (one-based rows); false when a row lies outside the series.
template <typename T>
bool gather_blocks(std::int32_t n, std::span<const T> x, std::int64_t base_row, block& base, block& recent) {
  std::int64_t length = std::min<std::int64_t>(n, static_cast<std::int64_t>(x.size()));
  if (n < block_size + 1 || length < n) return false;
  if (base_row < 1 || base_row + block_size - 1 > length) return false;
  for (int i = 0; i < block_size; ++i) {
    base[static_cast<std::size_t>(i)] = static_cast<double>(x[static_cast<std::size_t>(base_row - 1 + i)]);
    recent[static_cast<std::size_t>(i)] = static_cast<double>(x[static_cast<std::size_t>(n - 6 + i)]);
  }
  return true;
}

std::int32_t about(double value) {
  std::int32_t result = 0;
  round_to_about(static_cast<float>(value), result, about_thresholds, about_steps);
  return result;
}

// The first n values of x; none when the series has fewer, so that nothing
// is written.
template <typename T>
std::span<const T> first_values(std::int32_t n, std::span<const T> x) {
  return n >= 0 && static_cast<std::size_t>(n) <= x.size() ? x.first(static_cast<std::size_t>(n))
                                                           : std::span<const T>();
}

// The sentences of a series x(1..n), n its whole length.
void write_integer_sentence(run_context& ctx, const trend_texts& texts, std::span<const std::int32_t> x,
                            std::int32_t w, std::string_view label, output_channel& unit) {
  const std::int32_t n = static_cast<std::int32_t>(x.size());
  block base{}, recent{};
  if (w < 1 || w > 99 || !gather_blocks(n, x, 1, base, recent)) return;
  const std::string label_text = pad_text(label, static_cast<std::size_t>(w));
  const trend t = assess(base, recent);
  if (t.kind == trend_kind::stable) {
    write_free_line(ctx.report, {label_text, texts.stable, about(t.low), texts.stable_and, about(t.high)});
  } else {
    int phrase_width = 0;
    std::string_view phrase = phrase_of(texts, t.kind, phrase_width);
    const std::string format = "(A" + two_digits(w) + ",A" + std::to_string(phrase_width) + ",I5,A" +
                               std::to_string(texts.period.size()) + ",I5,A2,I4,A1,I4,A2)";
    write_fixed_line(unit, format,
                     {label_text, phrase, about(t.base_mean), texts.period, about(t.recent_mean), " (", n - 5, "-",
                      n - 1, ")."});
  }
  write_free_line(ctx.report, {"   "});
}

// Both values of a fall or rise carry `digits` decimals and the phrase
// between them has a field of its own length; a stable series shows its
// extremes with one decimal.
void write_real_sentence(run_context& ctx, const trend_texts& texts, std::span<const float> x, std::int64_t base_row,
                         std::int32_t w, std::string_view label, output_channel& unit, std::int32_t digits) {
  const std::int32_t n = static_cast<std::int32_t>(x.size());
  block base{}, recent{};
  if (w < 1 || w > 99 || digits < 0 || digits > 9 || !gather_blocks(n, x, base_row, base, recent)) return;
  const std::string label_text = pad_text(label, static_cast<std::size_t>(w));
  const trend t = assess(base, recent);
  if (t.kind == trend_kind::stable) {
    const std::string format = "(A" + two_digits(w) + ",A" + std::to_string(texts.stable.size()) + ",F6.1,A" +
                               std::to_string(texts.stable_and_width) + ",F6.1)";
    write_fixed_line(ctx.report, format,
                     {label_text, texts.stable, static_cast<float>(t.low), texts.stable_and,
                      static_cast<float>(t.high)});
  } else {
    int phrase_width = 0;
    std::string_view phrase = phrase_of(texts, t.kind, phrase_width);
    const std::string value = "F6." + std::to_string(digits);
    const std::string format = "(A" + two_digits(w) + ",A" + std::to_string(phrase_width) + "," + value + ",A" +
                               std::to_string(texts.period.size()) + "," + value + ",A2,I4,A1,I4,A2)";
    write_fixed_line(unit, format,
                     {label_text, phrase, t.base_mean, texts.period, t.recent_mean, " (", n - 5, "-", n - 1, ")."});
  }
  write_free_line(ctx.report, {"   "});
}

}  // namespace

void round_to_about(float x, std::int32_t& about, const rounding_table& thresholds, const rounding_table& steps) {
  int k = 0;
  for (std::int32_t threshold : thresholds)
    if (x > static_cast<float>(threshold)) ++k;
  // Values beyond the 32-bit range are held at its ends (no count comes near).
  auto clamped = [](double v) -> std::int32_t {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
  };
  if (k == 0) {
    about = clamped(std::trunc(x + 0.5f));
    return;
  }
  // The step times the whole number of steps, multiplied as integers: a float
  // product would lose the last digits of figures above 2^24.
  const std::int64_t step = steps[static_cast<std::size_t>(k - 1)];
  const float quotient = std::trunc(x / static_cast<float>(step) + 0.5f);
  const double whole_steps = std::isnan(quotient) ? 0.0 : std::clamp<double>(quotient, -4294967296.0, 4294967296.0);
  about = clamped(static_cast<double>(step * static_cast<std::int64_t>(whole_steps)));
}

void write_trend_sentence_en(run_context& ctx, std::int32_t n, std::span<const std::int32_t> x, std::int32_t w,
                             std::string_view label, std::int32_t, output_channel& unit) {
  write_integer_sentence(ctx, english_texts, first_values(n, x), w, label, unit);
}

void write_trend_sentence_nl(run_context& ctx, std::int32_t n, std::span<const std::int32_t> x, std::int32_t w,
                             std::string_view label, std::int32_t, output_channel& unit) {
  write_integer_sentence(ctx, dutch_texts, first_values(n, x), w, label, unit);
}

void write_trend_sentence_real_en(run_context& ctx, std::int32_t n, std::span<const float> x, std::int32_t w,
                                  std::string_view label, std::int32_t first_year, output_channel& unit,
                                  std::int32_t digits) {
  const std::int64_t base_row = 1991LL - first_year + 1;
  write_real_sentence(ctx, english_texts, first_values(n, x), base_row, w, label, unit, digits);
}

void write_trend_sentence_real_nl(run_context& ctx, std::int32_t n, std::span<const float> x, std::int32_t w,
                                  std::string_view label, std::int32_t, output_channel& unit, std::int32_t digits) {
  write_real_sentence(ctx, dutch_texts, first_values(n, x), 1, w, label, unit, digits);
}

void calc_correlation(std::int32_t n, std::span<const float> x, std::span<const float> y, float& r) {
  r = 0.0f;
  const std::int64_t m = std::min<std::int64_t>({n, static_cast<std::int64_t>(x.size()),
                                                 static_cast<std::int64_t>(y.size())});
  if (m < 2) return;
  // A constant series has no spread and so no correlation; tested on the
  // values, since a float mean need not equal them exactly.
  auto constant = [m](std::span<const float> v) {
    for (std::int64_t i = 1; i < m; ++i)
      if (v[static_cast<std::size_t>(i)] != v[0]) return false;
    return true;
  };
  if (constant(x) || constant(y)) return;
  // Single precision summed in order, as the regressions over years.
  float sum_x = 0.0f, sum_y = 0.0f;
  for (std::int64_t i = 0; i < m; ++i) {
    sum_x += x[static_cast<std::size_t>(i)];
    sum_y += y[static_cast<std::size_t>(i)];
  }
  const float mx = sum_x / static_cast<float>(m);
  const float my = sum_y / static_cast<float>(m);
  float sxy = 0.0f, sxx = 0.0f, syy = 0.0f;
  for (std::int64_t i = 0; i < m; ++i) {
    const float dx = x[static_cast<std::size_t>(i)] - mx;
    const float dy = y[static_cast<std::size_t>(i)] - my;
    sxy += dx * dy;
    sxx += dx * dx;
    syy += dy * dy;
  }
  // The root of the product: where the product overflows, r is 0.
  const float result = sxy / sqrtf(sxx * syy);
  r = std::isfinite(result) ? result : 0.0f;
}

}  // namespace veldmarsh
