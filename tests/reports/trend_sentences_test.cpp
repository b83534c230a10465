// Trend sentences and correlation: round figures; the lines of a fall, a
// rise and a stable series in both languages, for integer and real series;
// series too short for their blocks; and the correlation's edge cases.
#include "reports/trend_sentences.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/captured_run.h"

namespace veldmarsh {
namespace {

using lines = std::vector<std::string>;

TEST(RoundToAbout, WholeNumbersUpTo50ThenMultiplesOfTheStep) {
  const std::pair<float, std::int32_t> cases[] = {
      {50.0f, 50},   {50.5f, 50},     {2.5f, 3},       {0.4f, 0},       {80.0f, 80},      {83.0f, 85},
      {100.0f, 100}, {104.0f, 100},   {805.0f, 800},   {1234.0f, 1225}, {1530.0f, 1550},  {7777.0f, 7800},
      {3.0e12f, 2147483647},  // clamped
      // The step times the whole steps as integers: exact beyond 2^24.
      {67108900.0f, 67108900}, {905996400.0f, 905996400}, {2147483647.0f, 2147483600}};
  for (auto [x, want] : cases) {
    std::int32_t about = -1;
    round_to_about(x, about, about_thresholds, about_steps);
    EXPECT_EQ(about, want) << x;
  }
}

// Series of 11 values: base block x(1..5), recent block x(6..10); x(11) is never read.
std::vector<std::int32_t> series(std::vector<std::int32_t> base, const std::vector<std::int32_t>& recent) {
  base.insert(base.end(), recent.begin(), recent.end());
  base.push_back(-999999);
  return base;
}

TEST(WriteTrendSentence, IntegerSeriesInBothLanguages) {
  testing::captured_channels<true> run;
  const std::vector<std::int32_t> fall = series({100, 110, 105, 120, 115}, {90, 88, 85, 95, 92}),
                                  strong_fall = series({100, 110, 105, 120, 115}, {50, 40, 45, 55, 60}),
                                  strong_rise = series({10, 12, 11, 13, 14}, {15, 15, 15, 15, 15}),  // ratio 1.25
                                  rise = series({20, 22, 21, 23, 24}, {25, 26, 25, 27, 27}),
                                  touching = series({10, 11, 12, 13, 14}, {10, 9, 8, 7, 6}),  // base min = recent max
                                  zero_base = series({0, 0, 0, 0, 0}, {-1, -2, -3, -4, -5});  // ratio 0; -3 rounds to -2
  // A fall or rise goes to the given channel, the rest to the report.
  write_trend_sentence_en(run.ctx, 11, fall, 10, "Litters", 0, run.ctx.console);
  EXPECT_EQ(run.console(), lines{"Litters    decreased from about   110 (1991-1995) to about    90 (   6-  10)."});
  for (const auto* x : {&strong_fall, &strong_rise, &rise, &touching, &zero_base})
    write_trend_sentence_en(run.ctx, 11, *x, 5, "Pups", 0, run.ctx.console);
  EXPECT_EQ(run.report(), lines({"    ", "    ", "    ", "    ",
                                 " Pups  more or less stable between            6  and           14", "    ", "    "}));
  EXPECT_EQ(run.console(), lines({"Pups  strong decrease from about   110 (1991-1995) to about    50 (   6-  10).",
                                  "Pups  strong increase from about    12 (1991-1995) to about    15 (   6-  10).",
                                  "Pups  increased from about    22 (1991-1995) to about    26 (   6-  10).",
                                  "Pups  strong decrease from about     0 (1991-1995) to about    -2 (   6-  10)."}));
  for (const auto* x : {&fall, &strong_fall, &rise, &strong_rise, &touching})
    write_trend_sentence_nl(run.ctx, 11, *x, 4, "Nest", 0, run.ctx.report);
  EXPECT_EQ(run.report(), lines({"Nest gedaald van rond de   110 (1991-1995) tot rond de    90 (   6-  10).", "    ",
                                 "Nest sterk gedaald van rond de   110 (1991-1995) tot rond de    50 (   6-  10).", "    ",
                                 "Nest gestegen van rond de    22 (1991-1995) tot rond de    26 (   6-  10).", "    ",
                                 "Nest sterk gestegen van rond de    12 (1991-1995) tot rond de    15 (   6-  10).", "    ",
                                 " Nest min of meer gelijk gebleven tussen de            6 en de           14", "    "}));
  // Nothing without a recent block, beyond the values, or with a label
  // width outside 1..99; six values make both blocks x(1..5); a long label is cut.
  const std::vector<std::int32_t> six{1, 2, 3, 4, 5, 6};
  write_trend_sentence_en(run.ctx, 5, six, 1, "X", 0, run.ctx.report);
  write_trend_sentence_nl(run.ctx, 9, std::span(six).first(5), 1, "X", 0, run.ctx.report);
  write_trend_sentence_en(run.ctx, 6, six, 0, "X", 0, run.ctx.report);
  write_trend_sentence_en(run.ctx, 6, six, 100, "X", 0, run.ctx.report);
  write_trend_sentence_en(run.ctx, 6, six, 3, "Litters", 0, run.ctx.report);
  EXPECT_EQ(run.report(), lines({" Lit more or less stable between            1  and            5", "    "}));
}

TEST(WriteTrendSentence, RealSeries) {
  testing::captured_channels<true> run;
  // English: the base block is the rows of 1991 to 1995. First year 1991:
  // rows 1..5, mean 1.5, against rows 7..11, mean 3.2, a strong rise.
  const std::vector<float> y{1.0f, 1.25f, 1.5f, 1.75f, 2.0f, 2.25f, 3.0f, 3.0f, 3.0f, 3.5f, 3.5f, 0.0f};
  write_trend_sentence_real_en(run.ctx, 12, y, 5, "Ne", 1991, run.ctx.console, 2);
  EXPECT_EQ(run.console(), lines{"Ne    strong increase from about   1.50 (1991-1995) to about   3.20 (   7-  11)."});
  // First year 1989: rows 3..7 against rows 7..11 share row 7, stable; 1991
  // before the series or beyond it, or a digit of 10: nothing.
  const std::vector<float> x{9.0f, 9.0f, 0.50f, 0.52f, 0.54f, 0.56f, 0.58f, 0.60f, 0.62f, 0.64f, 0.66f, 99.0f};
  for (std::int32_t first_year : {1989, 1992, 1980}) write_trend_sentence_real_en(run.ctx, 12, x, 5, "Ne", first_year, run.ctx.report, 3);
  write_trend_sentence_real_en(run.ctx, 12, x, 5, "Ne", 1989, run.ctx.report, 10);
  EXPECT_EQ(run.report(), lines({"    ", "Ne    more or less stable between    0.5  and    0.7", "    "}));
  // Dutch: the base block is x(1..5); means 0.12 and 0.082, a strong fall.
  const std::vector<float> f{0.10f, 0.11f, 0.12f, 0.13f, 0.14f, 0.09f, 0.08f, 0.08f, 0.09f, 0.07f, 5.0f},
                           flat{0.10f, 0.11f, 0.12f, 0.13f, 0.14f, 0.12f, 0.08f, 0.08f, 0.09f, 0.07f, 5.0f};
  write_trend_sentence_real_nl(run.ctx, 11, f, 2, "F", 0, run.ctx.report, 0);
  write_trend_sentence_real_nl(run.ctx, 11, f, 2, "F", 0, run.ctx.report, 4);
  write_trend_sentence_real_nl(run.ctx, 11, flat, 2, "F", 0, run.ctx.report, 4);
  EXPECT_EQ(run.report(), lines({"F  sterk gedaald van rond de     0. (1991-1995) tot rond de     0. (   6-  10).", "    ",
                                 "F  sterk gedaald van rond de 0.1200 (1991-1995) tot rond de 0.0820 (   6-  10).", "    ",
                                 "F  min of meer gelijk gebleven tussen de    0.1 en de    0.1", "    "}));
}

TEST(CalcCorrelation, PearsonAndItsEdgeCases) {
  const std::vector<float> x{1, 2, 3, 4, 5}, twice{2, 4, 6, 8, 10}, reverse{5, 4, 3, 2, 1}, constant(5, 0.1f);
  const std::vector<float> a{1, 2, 3, 4}, b{1, 3, 2, 4};  // Sxy 4, Sxx 5, Syy 5
  struct correlation_case {
    std::int32_t n;
    const std::vector<float>&x, &y;
    float r;
  };
  // Sxx x Syy = (5e37)^2 overflows: r = Sxy / infinity = 0, not 1.
  const std::vector<float> huge{0.0f, 1e19f}, minus_huge{0.0f, -1e19f};
  const correlation_case cases[] = {{5, x, twice, 1.0f},     {5, x, reverse, -1.0f},   {4, a, b, 0.8f},
                                    {5, x, constant, 0.0f},  {5, constant, x, 0.0f},   {1, x, twice, 0.0f},
                                    {0, x, x, 0.0f},         {2, huge, huge, 0.0f},    {2, huge, minus_huge, -0.0f}};
  for (const correlation_case& c : cases) {
    float r = 5.0f;
    calc_correlation(c.n, c.x, c.y, r);
    EXPECT_FLOAT_EQ(r, c.r) << c.n;
  }
}

}  // namespace
}  // namespace veldmarsh
