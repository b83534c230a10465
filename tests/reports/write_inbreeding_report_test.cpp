// The inbreeding report (headings held by the end-to-end cases): Ne for zero,
// positive and negative rates, the periods for 10, 11, 20 and 30 birth
// years against rates made from a known slope, and the regression slope.
#include "reports/write_inbreeding_report.h"

#include <gtest/gtest.h>

#include <cmath>

#include "report_test_support.h"

namespace veldmarsh {
namespace {

using report_testing::captured_report;
using report_testing::rule;
using report_testing::separator;

TEST(RegressionSlope, LeastSquaresAndDegenerateSeries) {
  std::vector<std::int32_t> x = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  std::vector<float> y;
  for (int v : x) y.push_back(2.0f * v + 1.0f);
  float slope = -1;
  calc_regression_slope(10, x, y, slope);
  EXPECT_FLOAT_EQ(slope, 2.0f);
  calc_regression_slope(0, x, y, slope);
  EXPECT_EQ(slope, 0.0f);
  std::vector<std::int32_t> same = {4, 4, 4};
  calc_regression_slope(3, same, y, slope);
  EXPECT_EQ(slope, 0.0f);
  calc_regression_slope(1, x, y, slope);
  EXPECT_EQ(slope, 0.0f);
}

year_table<float> inbreeding_of(std::int64_t n_years, float (*f)(std::int64_t), float (*kinship)(std::int64_t)) {
  year_table<float> t;
  allocate_year_table(t, n_years, 6);
  for (std::int64_t k = 1; k <= n_years; ++k) {
    t(k, 1) = f(k);
    t(k, 2) = kinship(k);
  }
  return t;
}

TEST(InbreedingReport, RowsAndNeForZeroPositiveAndNegativeRates) {
  captured_report out(true);
  year_table<float> y;
  allocate_year_table(y, 3, 6);
  for (int j = 1; j <= 6; ++j) y(1, j) = 0.01f * j;
  y(3, 1) = 0.03125f;  // a tie, rounded to even
  write_inbreeding_report(out.ctx, 2002, 2000, 3, y, {0.01f, -0.005f, 0.0f, 0.0025f}, 4.0f);
  // The headings are held by the end-to-end cases; the rows and Ne here.
  std::vector<std::string> lines = out.report();
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[7], "    2000  0.0100  0.0200  0.0300  0.0400  0.0500  0.0600");
  EXPECT_EQ(lines[9], "    2002  0.0312  0.0000  0.0000  0.0000  0.0000  0.0000");
  lines.erase(lines.begin(), lines.begin() + 16);
  std::vector<std::string> expected = {
      "deltaF absolute       1.00%      4.00%     12.50",
      "deltaF smoothed       0.00%      0.00%**********",
      "deltaf absolute      -0.50%     -2.00%    -25.00",
      "deltaf smoothed       0.25%      1.00%     50.00",
      rule(45),
  };
  EXPECT_EQ(lines, expected);
}

TEST(InbreedingReport, AGenerationIntervalOfZeroMakesEveryRatePerGenerationZero) {
  captured_report out(false);
  year_table<float> y;
  allocate_year_table(y, 1, 6);
  write_inbreeding_report(out.ctx, 1990, 1990, 1, y, {0, 0, 0, 0}, 0.0f);
  std::vector<std::string> lines = out.report();
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[14], "deltaF absolute       0.00%      0.00%**********");
}

// ln(1 - F) falls by 0.01 a row and ln(1 - f) by 0.002: the rates per
// generation are 100 x L times those slopes.
float f_of_row(std::int64_t k) { return 1.0f - std::exp(-0.01f * static_cast<float>(k)); }
float kinship_of_row(std::int64_t k) { return 1.0f - std::exp(-0.002f * static_cast<float>(k)); }

std::vector<std::string> period_lines(std::int64_t n_years, std::int32_t first_year) {
  captured_report out(true);
  year_table<float> y = inbreeding_of(n_years, f_of_row, kinship_of_row);
  write_inbreeding_report(out.ctx, static_cast<std::int32_t>(first_year + n_years - 1), first_year, n_years, y,
                          {0, 0, 0, 0}, 5.0f);
  std::vector<std::string> lines = out.report();
  const std::size_t rate_table_end = 8 + static_cast<std::size_t>(n_years) + 10;
  return std::vector<std::string>(lines.begin() + static_cast<long>(std::min(rate_table_end, lines.size())),
                                  lines.end());
}

TEST(InbreedingReport, PeriodsFromElevenYearsOn) {
  EXPECT_TRUE(period_lines(10, 2000).empty());
  std::vector<std::string> expected = {
      separator,
      " Inbreeding rate for periods of            5  years",
      rule(45),
      "2000 - 2005         5.000 %         1.000%",
      "2005 - 2010         5.000 %         1.000%",
      rule(45),
  };
  EXPECT_EQ(period_lines(11, 2000), expected);

  std::vector<std::string> twenty = period_lines(20, 1990);
  ASSERT_EQ(twenty.size(), 7u);
  EXPECT_EQ(twenty[1], " Inbreeding rate for periods of            6  years");
  EXPECT_EQ(twenty[3].substr(0, 11), "1990 - 1997");
  EXPECT_EQ(twenty[4].substr(0, 11), "1997 - 2003");
  EXPECT_EQ(twenty[5].substr(0, 11), "2003 - 2009");

  std::vector<std::string> thirty = period_lines(30, 1990);
  ASSERT_EQ(thirty.size(), 8u);
  EXPECT_EQ(thirty[1], " Inbreeding rate for periods of            7  years");
  EXPECT_EQ(thirty[3].substr(0, 11), "1990 - 1998");
  EXPECT_EQ(thirty[4].substr(0, 11), "1998 - 2005");
  EXPECT_EQ(thirty[5].substr(0, 11), "2005 - 2012");
  EXPECT_EQ(thirty[6].substr(0, 11), "2012 - 2019");
  for (std::size_t i = 3; i <= 6; ++i) EXPECT_EQ(thirty[i].substr(11), "         5.000 %         1.000%");
}

TEST(InbreedingReport, DutchPeriodTitleAndConstantSeries) {
  captured_report out(false);
  year_table<float> y;
  allocate_year_table(y, 12, 6);
  for (std::int64_t k = 1; k <= 12; ++k) y(k, 1) = y(k, 2) = 0.05f;
  write_inbreeding_report(out.ctx, 2011, 2000, 12, y, {0, 0, 0, 0}, 3.0f);
  std::vector<std::string> lines = out.report();
  ASSERT_EQ(lines.size(), 8u + 12u + 10u + 6u);
  EXPECT_EQ(lines[31], " Inteelttoename per periode van            6  jaar");
  // 12 years: nper 1, p 6, r 6: rows 1-6 and 6-12; a flat series has no rate
  // and no minus sign.
  EXPECT_EQ(lines[33], "2000 - 2005         0.000 %         0.000%");
  EXPECT_EQ(lines[34], "2005 - 2011         0.000 %         0.000%");
}

}  // namespace
}  // namespace veldmarsh
