// The analysis of one subpopulation: its yearly inbreeding table and rates,
// the columns it takes from the kinship table, and a subpopulation without
// animals. Its report tables are held against runs of the program on the
// subpopulation's animals alone in analyse_subpopulation_run_test.cpp.
#include "reports/analyse_subpopulation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../run/pedigree_test_support.h"
#include "support/year_table_builders.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using lines = std::vector<std::string>;

// A kinship pair table of the given mean F and mean kinship per year.
year_table<float> kinship_columns(const std::vector<float>& f, const std::vector<float>& kinship) {
  std::vector<std::vector<float>> rows;
  for (std::size_t k = 0; k < f.size(); ++k) rows.push_back({f[k], kinship[k]});
  return testing::year_table_of(rows, 2);
}

// calc_subpop_inbreeding over n birth years from 2000 on.
void subpop_inbreeding_of(std::int64_t n, const year_table<float>& kinship, year_table<float>& y,
                          inbreeding_rate_set& rates) {
  subpop_inbreeding_tables tables;
  tables.rates = rates;
  calc_subpop_inbreeding(make_year_range(2000, static_cast<std::int32_t>(2000 + n - 1)), kinship, tables);
  y = tables.year_inbreeding;
  rates = tables.rates;
}

TEST(CalcSubpopInbreeding, RelativeChangesOnlyInYearsWithInbreeding) {
  year_table<float> y;
  std::array<float, 4> rates{};
  subpop_inbreeding_of(4, kinship_columns({0.010f, 0.019f, 0.0f, 0.02f}, {0.02f, 0.03f, 0.05f, 0.05f}), y, rates);
  ASSERT_EQ(y.n_rows, 4);
  ASSERT_EQ(y.n_cols, 6);
  EXPECT_EQ(y(1, 3), 0.0f);  // the first year has no year before it
  EXPECT_NEAR(y(2, 3), 0.009 / 0.990, 1e-7);
  EXPECT_NEAR(y(2, 4), 0.01 / 0.98, 1e-7);
  EXPECT_EQ(y(3, 3), 0.0f);  // mean F 0: both columns stay 0, though the kinship rose
  EXPECT_EQ(y(3, 4), 0.0f);
  EXPECT_NEAR(y(4, 3), 0.02, 1e-7);  // from a year of mean F 0
  EXPECT_EQ(y(4, 4), 0.0f);
  for (std::int64_t k = 1; k <= 4; ++k) {
    EXPECT_EQ(y(k, 5), 0.0f);
    EXPECT_EQ(y(k, 6), 0.0f);
  }
  EXPECT_EQ(y(3, 2), 0.05f);
}

TEST(CalcSubpopInbreeding, PowerRateOverAllYearsAndPlainSlopes) {
  year_table<float> y;
  std::array<float, 4> rates{};
  subpop_inbreeding_of(3, kinship_columns({0.00f, 0.01f, 0.02f}, {0.1f, 0.1f, 0.1f}), y, rates);
  EXPECT_NEAR(rates[0], 1.0 - std::pow(0.98, 1.0 / 3.0), 1e-6);  // exponent 1/n, not 1/(n - 1)
  EXPECT_NEAR(rates[0], 0.00671, 1e-5);
  EXPECT_EQ(rates[1], 0.0f);
  EXPECT_NEAR(rates[2], 0.01, 1e-6);  // the slope of the means themselves, sign kept
  EXPECT_EQ(rates[3], 0.0f);

  subpop_inbreeding_of(3, kinship_columns({0.02f, 0.01f, 0.0f}, {0.3f, 0.2f, 0.1f}), y, rates);
  EXPECT_NEAR(rates[2], -0.01, 1e-6);
  EXPECT_NEAR(rates[3], -0.1, 1e-6);
  EXPECT_NEAR(rates[1], 1.0 - std::pow(0.9 / 0.7, 1.0 / 3.0), 1e-6);
}

TEST(CalcSubpopInbreeding, RatesWithoutRowsOrDivisorAreZero) {
  year_table<float> y;
  std::array<float, 4> rates{1, 1, 1, 1};
  subpop_inbreeding_of(1, kinship_columns({0.1f}, {0.2f}), y, rates);  // one birth year
  EXPECT_EQ(rates, (std::array<float, 4>{0, 0, 0, 0}));
  rates = {1, 1, 1, 1};
  subpop_inbreeding_of(0, kinship_columns({}, {}), y, rates);  // no birth year at all
  EXPECT_EQ(y.n_rows, 0);
  EXPECT_EQ(rates, (std::array<float, 4>{0, 0, 0, 0}));
  subpop_inbreeding_of(2, kinship_columns({1.0f, 0.5f}, {0.0f, 0.0f}), y, rates);  // 1 - F of 0
  EXPECT_EQ(rates[0], 0.0f);
  EXPECT_EQ(y(2, 3), 0.0f);
}

TEST(SubpopKinshipColumns, TheTwoColumnsOfTheSubpopulation) {
  year_table<float> all;
  allocate_year_table(all, 2, 9);  // three subpopulations: 6 own columns and 3 pairs
  for (std::int64_t k = 1; k <= 2; ++k)
    for (std::int64_t c = 1; c <= 9; ++c) all(k, c) = static_cast<float>(10 * k + c);
  year_table<float> second = subpop_kinship_columns(all, 2);
  ASSERT_EQ(second.n_rows, 2);
  EXPECT_EQ(second(1, 1), 13.0f);
  EXPECT_EQ(second(1, 2), 14.0f);
  EXPECT_EQ(second(2, 1), 23.0f);
  EXPECT_EQ(second(2, 2), 24.0f);
  year_table<float> beyond = subpop_kinship_columns(all, 6);  // columns 11 and 12
  EXPECT_EQ(beyond(2, 1), 0.0f);
  EXPECT_EQ(beyond(2, 2), 0.0f);
}

TEST(AnalyseSubpopulation, NoMembersGivesConsoleAndLogLinesOnly) {
  for (bool english : {true, false}) {
    captured_run run(english);
    run.ctx.cfg.n_subpop = 2;
    run.ctx.cfg.subpop_codes = {make_text<20>("NORTH"), make_text<20>("EMPTY")};
    animal_table animal;
    testing_support::append_records(animal, {testing_support::data_record(animal, "A", "0", "0", 1, 2020)});
    set_text(animal, animal[1].subpop_code, "NORTH");
    year_table<float> kinship;
    allocate_year_table(kinship, 1, 2);
    subpop_analysis_values values;
    const breeder_tables breeders{{make_text<20>("geen fokkers")}, 0};
    analyse_subpopulation(run.ctx, animal, make_year_range(2020, 2020), breeders, 2, kinship, values);
    const std::string code = "EMPTY               ";
    if (english) {
      EXPECT_EQ(run.console(), lines({" monitor data per year for " + code, " No animals present with breed code " + code}));
      EXPECT_EQ(run.log(), lines({" Analysis of subpopulation " + code + "started at 05/12/2026 on 10.17",
                                  "  and 58.123 s"}));
    } else {
      EXPECT_EQ(run.console(), lines({" monitor gegevens per jaar voor " + code, " Geen dieren aanwezig met rascode " + code}));
      EXPECT_EQ(run.log(), lines({" Analyse van subpopulatie " + code + "gestart op 05/12/2026 om 10.17", "  and 58.123 s"}));
    }
    EXPECT_EQ(run.report(), lines{});
    EXPECT_EQ(values.subpop_run_date, "20261205");
    EXPECT_EQ(values.subpop_run_time, "101758.123");
  }
}

}  // namespace
}  // namespace veldmarsh
