// Trend sentences and correlation: round figures, the exact lines of a
// fall, a rise and a stable series in both languages and number forms,
// series too short for their blocks, and the correlation's edge cases.
#include "reports/trend_sentences.h"

#include <gtest/gtest.h>

#include <vector>

#include "../run/pedigree_test_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using lines = std::vector<std::string>;

std::int32_t about(float x) {
  std::int32_t a = -1;
  round_to_about(x, a, about_thresholds, about_steps);
  return a;
}

TEST(RoundToAbout, WholeNumbersUpTo50ThenMultiplesOfTheStep) {
  EXPECT_EQ(about(50.0f), 50);  // exceeds no threshold
  EXPECT_EQ(about(50.5f), 50);  // step 5: 10.1 rounds to 10
  EXPECT_EQ(about(2.5f), 3);
  EXPECT_EQ(about(0.4f), 0);
  EXPECT_EQ(about(80.0f), 80);
  EXPECT_EQ(about(83.0f), 85);
  EXPECT_EQ(about(100.0f), 100);  // still step 5
  EXPECT_EQ(about(104.0f), 100);  // step 10
  EXPECT_EQ(about(805.0f), 800);  // step 25
  EXPECT_EQ(about(1234.0f), 1225);
  EXPECT_EQ(about(1530.0f), 1550);  // step 50
  EXPECT_EQ(about(7777.0f), 7800);  // step 100
  EXPECT_EQ(about(3.0e12f), 2147483647);  // clamped, never undefined
}

// Integer series of n = 11: base x(1..5), recent x(6..10); x(11) is never read.
std::vector<std::int32_t> series(std::vector<std::int32_t> base, std::vector<std::int32_t> recent) {
  base.insert(base.end(), recent.begin(), recent.end());
  base.push_back(-999999);
  return base;
}

TEST(WriteTrendSentenceEn, FallGoesToTheGivenChannelAndTheBlankLineToTheReport) {
  captured_run run;
  std::vector<std::int32_t> x = series({100, 110, 105, 120, 115}, {90, 88, 85, 95, 92});
  write_trend_sentence_en(run.ctx, 11, x, 10, "Litters", 0, run.ctx.console);
  EXPECT_EQ(run.console(), lines({"Litters    decreased from about   110 (1991-1995) to about    90 (   6-  10)."}));
  EXPECT_EQ(run.report(), lines({"    "}));
}

TEST(WriteTrendSentenceEn, StrongChangesWidenThePhraseField) {
  captured_run run;
  std::vector<std::int32_t> fall = series({100, 110, 105, 120, 115}, {50, 40, 45, 55, 60});
  write_trend_sentence_en(run.ctx, 11, fall, 5, "Pups", 0, run.ctx.report);
  // A ratio of exactly 1.25 is a strong rise.
  std::vector<std::int32_t> rise = series({10, 12, 11, 13, 14}, {15, 15, 15, 15, 15});
  write_trend_sentence_en(run.ctx, 11, rise, 5, "Pups", 0, run.ctx.report);
  std::vector<std::int32_t> mild = series({20, 22, 21, 23, 24}, {25, 26, 25, 27, 27});
  write_trend_sentence_en(run.ctx, 11, mild, 5, "Pups", 0, run.ctx.report);
  EXPECT_EQ(run.report(), lines({"Pups  strong decrease from about   110 (1991-1995) to about    50 (   6-  10).",
                                 "    ",
                                 "Pups  strong increase from about    12 (1991-1995) to about    15 (   6-  10).",
                                 "    ",
                                 "Pups  increased from about    22 (1991-1995) to about    26 (   6-  10).",
                                 "    "}));
}

TEST(WriteTrendSentenceEn, OverlappingBlocksAreStableOnTheReportWhateverTheChannel) {
  captured_run run;
  // The base minimum equal to the recent maximum is no fall.
  std::vector<std::int32_t> touching = series({10, 11, 12, 13, 14}, {10, 9, 8, 7, 6});
  write_trend_sentence_en(run.ctx, 11, touching, 6, "Dogs", 0, run.ctx.console);
  std::vector<std::int32_t> wide = series({60, 200, 330, 480, 1234}, {450, 350, 250, 150, 83});
  write_trend_sentence_en(run.ctx, 11, wide, 6, "Dogs", 0, run.ctx.console);
  EXPECT_EQ(run.console(), lines{});
  EXPECT_EQ(run.report(), lines({" Dogs   more or less stable between            6  and           14",
                                 "    ",
                                 " Dogs   more or less stable between           60  and         1225",
                                 "    "}));
}

TEST(WriteTrendSentenceNl, DutchPhrasesFieldsAndStableLine) {
  captured_run run(false);
  std::vector<std::int32_t> fall = series({100, 110, 105, 120, 115}, {90, 88, 85, 95, 92});
  write_trend_sentence_nl(run.ctx, 11, fall, 4, "Nest", 0, run.ctx.report);
  std::vector<std::int32_t> strong_fall = series({100, 110, 105, 120, 115}, {50, 40, 45, 55, 60});
  write_trend_sentence_nl(run.ctx, 11, strong_fall, 4, "Nest", 0, run.ctx.report);
  std::vector<std::int32_t> rise = series({20, 22, 21, 23, 24}, {25, 26, 25, 27, 27});
  write_trend_sentence_nl(run.ctx, 11, rise, 4, "Nest", 0, run.ctx.report);
  std::vector<std::int32_t> strong_rise = series({10, 12, 11, 13, 14}, {30, 31, 32, 33, 34});
  write_trend_sentence_nl(run.ctx, 11, strong_rise, 4, "Nest", 0, run.ctx.report);
  std::vector<std::int32_t> stable = series({10, 20, 30, 40, 50}, {45, 35, 25, 15, 5});
  write_trend_sentence_nl(run.ctx, 11, stable, 4, "Nest", 0, run.ctx.report);
  EXPECT_EQ(run.report(),
            lines({"Nest gedaald van rond de   110 (1991-1995) tot rond de    90 (   6-  10).",
                   "    ",
                   "Nest sterk gedaald van rond de   110 (1991-1995) tot rond de    50 (   6-  10).",
                   "    ",
                   "Nest gestegen van rond de    22 (1991-1995) tot rond de    26 (   6-  10).",
                   "    ",
                   "Nest sterk gestegen van rond de    12 (1991-1995) tot rond de    32 (   6-  10).",
                   "    ",
                   " Nest min of meer gelijk gebleven tussen de            5 en de           50",
                   "    "}));
}

TEST(WriteTrendSentence, ZeroBaseAndTooShortSeries) {
  captured_run run;
  // A base of 0: ratio 0, so a fall is strong and a rise plain. A negative
  // mean rounds as its integer part of x + 0.5: -3 gives -2.
  std::vector<std::int32_t> fall = series({0, 0, 0, 0, 0}, {-1, -2, -3, -4, -5});
  write_trend_sentence_en(run.ctx, 11, fall, 1, "X", 0, run.ctx.report);
  std::vector<std::int32_t> rise = series({0, 0, 0, 0, 0}, {1, 2, 3, 4, 5});
  write_trend_sentence_en(run.ctx, 11, rise, 1, "X", 0, run.ctx.report);
  EXPECT_EQ(run.report(), lines({"X strong decrease from about     0 (1991-1995) to about    -2 (   6-  10).",
                                 "    ",
                                 "X increased from about     0 (1991-1995) to about     3 (   6-  10).",
                                 "    "}));

  captured_run quiet;
  std::vector<std::int32_t> five{1, 2, 3, 4, 5};
  write_trend_sentence_en(quiet.ctx, 5, five, 1, "X", 0, quiet.ctx.report);  // no recent block
  write_trend_sentence_nl(quiet.ctx, 9, five, 1, "X", 0, quiet.ctx.report);  // n beyond the values
  std::vector<std::int32_t> six{1, 2, 3, 4, 5, 6};
  write_trend_sentence_en(quiet.ctx, 6, six, 0, "X", 0, quiet.ctx.report);    // no label width
  write_trend_sentence_en(quiet.ctx, 6, six, 100, "X", 0, quiet.ctx.report);  // beyond two digits
  EXPECT_EQ(quiet.report(), lines{});

  // Six values: both blocks are x(1..5), always stable; a long label is cut.
  write_trend_sentence_en(quiet.ctx, 6, six, 3, "Litters", 0, quiet.ctx.report);
  EXPECT_EQ(quiet.report(), lines({" Lit more or less stable between            1  and            5", "    "}));
}

TEST(WriteTrendSentenceRealEn, BaseRowsOfTheYears1991To1995AndDigits) {
  captured_run run;
  // first_year 1989: the base block is rows 3..7 (1991..1995); n = 12 makes the recent block rows 7..11.
  std::vector<float> x{9.0f, 9.0f, 0.50f, 0.52f, 0.54f, 0.56f, 0.58f, 0.60f, 0.62f, 0.64f, 0.66f, 99.0f};
  write_trend_sentence_real_en(run.ctx, 12, x, 5, "Ne", 1989, run.ctx.report, 3);
  // Stable: the blocks share row 7; the extremes with one decimal.
  write_trend_sentence_real_en(run.ctx, 12, x, 5, "Ne", 1988, run.ctx.report, 3);
  // 1991 before the series (first year 1992) or beyond it: nothing.
  write_trend_sentence_real_en(run.ctx, 12, x, 5, "Ne", 1992, run.ctx.report, 3);
  write_trend_sentence_real_en(run.ctx, 12, x, 5, "Ne", 1980, run.ctx.report, 3);
  write_trend_sentence_real_en(run.ctx, 12, x, 5, "Ne", 1989, run.ctx.report, 10);  // no such digit
  // Rows 3..7 = 0.50 .. 0.58, mean 0.54; rows 7..11 = 0.58 .. 0.66, mean 0.62: they touch, stable.
  // Rows 4..8 (first year 1988) = 0.52 .. 0.60 against 0.58 .. 0.66: overlapping, stable too.
  EXPECT_EQ(run.report(), lines({"Ne    more or less stable between    0.5  and    0.7", "    ",
                                 "Ne    more or less stable between    0.5  and    0.7", "    "}));

  captured_run rise;
  std::vector<float> y{1.0f, 1.25f, 1.5f, 1.75f, 2.0f, 2.25f, 3.0f, 3.0f, 3.0f, 3.5f, 3.5f, 0.0f};
  write_trend_sentence_real_en(rise.ctx, 12, y, 5, "Ne", 1991, rise.ctx.console, 2);
  // Base 1.5 (rows 1..5), recent 3.2 (rows 7..11): min recent 3.0 > max base 2.0, ratio 2.13.
  EXPECT_EQ(rise.console(),
            lines({"Ne    strong increase from about   1.50 (1991-1995) to about   3.20 (   7-  11)."}));
  EXPECT_EQ(rise.report(), lines({"    "}));
}

TEST(WriteTrendSentenceRealNl, BaseBlockFirstFiveValuesAndOwnFieldForThePeriod) {
  captured_run run(false);
  std::vector<float> x{0.10f, 0.11f, 0.12f, 0.13f, 0.14f, 0.09f, 0.08f, 0.08f, 0.09f, 0.07f, 5.0f};
  write_trend_sentence_real_nl(run.ctx, 11, x, 2, "F", 0, run.ctx.report, 0);
  write_trend_sentence_real_nl(run.ctx, 11, x, 2, "F", 0, run.ctx.report, 4);
  std::vector<float> flat{0.10f, 0.11f, 0.12f, 0.13f, 0.14f, 0.12f, 0.08f, 0.08f, 0.09f, 0.07f, 5.0f};
  write_trend_sentence_real_nl(run.ctx, 11, flat, 2, "F", 0, run.ctx.report, 4);
  // Means 0.12 and 0.082: ratio 0.68, a strong fall; with 0 digits the values show as "0.".
  EXPECT_EQ(run.report(), lines({"F  sterk gedaald van rond de     0. (1991-1995) tot rond de     0. (   6-  10).",
                                 "    ",
                                 "F  sterk gedaald van rond de 0.1200 (1991-1995) tot rond de 0.0820 (   6-  10).",
                                 "    ",
                                 "F  min of meer gelijk gebleven tussen de    0.1 en de    0.1",
                                 "    "}));
}

TEST(CalcCorrelation, PearsonAndItsEdgeCases) {
  float r = 5.0f;
  std::vector<float> x{1, 2, 3, 4, 5}, twice{2, 4, 6, 8, 10}, reverse{5, 4, 3, 2, 1};
  calc_correlation(5, x, twice, r);
  EXPECT_FLOAT_EQ(r, 1.0f);
  calc_correlation(5, x, reverse, r);
  EXPECT_FLOAT_EQ(r, -1.0f);
  std::vector<float> a{1, 2, 3, 4}, b{1, 3, 2, 4};
  calc_correlation(4, a, b, r);  // Sxy 4, Sxx 5, Syy 5
  EXPECT_FLOAT_EQ(r, 0.8f);

  std::vector<float> constant{0.1f, 0.1f, 0.1f, 0.1f, 0.1f};
  calc_correlation(5, x, constant, r);
  EXPECT_EQ(r, 0.0f);
  calc_correlation(5, constant, x, r);
  EXPECT_EQ(r, 0.0f);
  r = 5.0f;
  calc_correlation(1, x, twice, r);
  EXPECT_EQ(r, 0.0f);
  r = 5.0f;
  calc_correlation(0, {}, {}, r);
  EXPECT_EQ(r, 0.0f);
}

}  // namespace
}  // namespace veldmarsh
