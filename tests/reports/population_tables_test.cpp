// Population size, parents and litter tables (their plain layouts in both
// languages are held by the end-to-end cases): the in-place subtraction, the
// share lines from seven years on, zero divisors, years without animals and
// overflow asterisks.
#include "reports/population_tables.h"

#include <gtest/gtest.h>

#include "../run/pedigree_test_support.h"
#include "run/species_words.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using testing_support::data_record;
using testing_support::table_of;

const std::string u47(47, '_'), u48(48, '_'), u56(56, '_');
constexpr int dog = 9;   // dog, dogs, bitch, bitches, pup, pups
constexpr int hond = 1;  // reu, reuen, teef, teven, pup, pups

year_table<std::int32_t> parent_counts(const std::vector<std::array<int, 6>>& rows) {
  year_table<std::int32_t> t;
  allocate_year_table(t, static_cast<std::int64_t>(rows.size()), 6);
  for (std::size_t k = 0; k < rows.size(); ++k)
    for (int j = 0; j < 6; ++j) t(static_cast<std::int64_t>(k) + 1, j + 1) = rows[k][static_cast<std::size_t>(j)];
  return t;
}

// Ten records, two of them without a birth year.
animal_table ten_animals() {
  std::vector<animal_record> r;
  for (int i = 1; i <= 10; ++i) r.push_back(data_record("A" + std::to_string(i), "0", "0", 1, i <= 2 ? 0 : 2020));
  return table_of(r);
}

TEST(PopulationSizeReport, EnglishWithoutImportsSubtractsParentsAndTotals) {
  captured_run run(true);
  set_species_sex_words(run.ctx.cfg, dog);
  auto counts = parent_counts({{5, 2, 0, 6, 3, 0}, {0, 0, 0, 0, 0, 0}, {4, 1, 1, 3, 0, 2}});
  population_total_set totals{};
  write_population_size_report(run.ctx, 2022, 2020, 3, ten_animals(), counts, totals);
  const std::vector<std::string> lines = run.report();
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[5], "    2020       3       2       3       3       6       5");
  EXPECT_EQ(lines[9], "  total        6       3       6       3      12       6");
  // Columns 1 and 4 now hold the non-parents; the totals are their sums.
  EXPECT_EQ(counts(1, 1), 3);
  EXPECT_EQ(counts(1, 4), 3);
  EXPECT_EQ(counts(3, 1), 3);
  EXPECT_EQ(counts(3, 2), 1);
  EXPECT_EQ(totals, (population_total_set{6, 3, 1, 6, 3, 2}));
}

TEST(PopulationSizeReport, DutchImportLayoutWrapsAt80ColumnsAndWritesShares) {
  captured_run run(false);
  set_species_sex_words(run.ctx.cfg, hond);
  run.ctx.cfg.has_import_column = true;
  // Seven years: the shares count the first three only.
  auto counts = parent_counts({{10, 4, 1, 8, 2, 1},
                               {0, 0, 0, 0, 0, 0},
                               {5, 1, 0, 5, 5, 0},
                               {3, 0, 0, 2, 0, 0},
                               {0, 0, 0, 0, 0, 0},
                               {0, 0, 0, 0, 0, 0},
                               {9, 9, 9, 9, 9, 9}});
  population_total_set totals{};
  write_population_size_report(run.ctx, 2016, 2010, 7, ten_animals(), counts, totals);
  const std::vector<std::string> lines = run.report();
  ASSERT_EQ(lines.size(), 30u);
  EXPECT_EQ(lines[13], "    2012       4       1       0       0       5       0       4       6       0");
  EXPECT_EQ(lines[20], " totaal       13      14      10       8      16      10      21      30      20");
  // 5 of 15 males and 7 of 13 females of 2010-2012 became parents.
  EXPECT_EQ(lines[27], "  33.3% van de mannelijke pups      wordt later vader");
  EXPECT_EQ(lines[28], "  53.8% van de vrouwelijke pups     wordt later moeder");
}

TEST(PopulationSizeReport, EnglishImportHeadingAndSharesWithoutAnyYoung) {
  captured_run run(true);
  set_species_sex_words(run.ctx.cfg, dog);
  run.ctx.cfg.has_import_column = true;
  auto counts = parent_counts(std::vector<std::array<int, 6>>(7, {0, 0, 0, 0, 0, 0}));
  population_total_set totals{1, 1, 1, 1, 1, 1};
  write_population_size_report(run.ctx, 2026, 2020, 7, table_of({}), counts, totals);
  auto lines = run.report();
  ASSERT_EQ(lines.size(), 30u);
  EXPECT_EQ(lines[0], "           POPULATION SIZE: number of pups born per year");
  EXPECT_EQ(lines[3], "   geb.          dogs           |        bitches ");
  EXPECT_EQ(lines[4], "        |          total         ");
  EXPECT_EQ(lines[5], "   jaar   total  fathers fathers|  total mothers mothers|  total parents parents");
  EXPECT_EQ(lines[7], "           own     own    other |   own    own    other |   own    own    other ");
  EXPECT_EQ(lines[8], "  ");
  EXPECT_EQ(lines[20], "  total        0       0       0       0       0       0       0       0       0");
  EXPECT_EQ(lines[23], " total number of animals in pedigree            0  of which            0");
  // No young born: the shares divide by zero and show 0.
  EXPECT_EQ(lines[27], "   0.0% of the male pups     will become father later in life");
  EXPECT_EQ(lines[28], "   0.0% of the female pups     will become mother later in life");
  EXPECT_EQ(totals, (population_total_set{0, 0, 0, 0, 0, 0}));
}

TEST(PopulationSizeReport, SixYearsEndWithTheCountLineAndNoYearsGiveOnlyTheFrame) {
  captured_run run(true);
  set_species_sex_words(run.ctx.cfg, dog);
  auto counts = parent_counts(std::vector<std::array<int, 6>>(6, {1, 1, 0, 1, 1, 0}));
  population_total_set totals{};
  write_population_size_report(run.ctx, 2025, 2020, 6, ten_animals(), counts, totals);
  auto lines = run.report();
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines.back(), "  without year of birth.");

  captured_run empty(true);
  set_species_sex_words(empty.ctx.cfg, dog);
  year_table<std::int32_t> none;
  allocate_year_table(none, 0, 6);
  write_population_size_report(empty.ctx, 0, 2147483647, 0, ten_animals(), none, totals);
  lines = empty.report();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[6], "  total        0       0       0       0       0       0");
}

// A litter table from rows of (litters, sires, {size, litters of that size}...).
struct litter_row {
  int litters, sires;
  std::vector<std::pair<int, int>> sizes;
};
year_table<std::int32_t> litter_table(const std::vector<litter_row>& rows) {
  year_table<std::int32_t> t;
  allocate_year_table(t, static_cast<std::int64_t>(rows.size()), 102);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    std::int64_t r = static_cast<std::int64_t>(k) + 1;
    t(r, 1) = rows[k].litters;
    t(r, 2) = rows[k].sires;
    for (auto [size, n] : rows[k].sizes) t(r, size + 2) = n;
  }
  return t;
}

TEST(LitterReport, EnglishRowsGuardZeroDivisorsAndTotalRowUsesPopulationFathers) {
  captured_run run(true);
  set_species_sex_words(run.ctx.cfg, dog);
  // 2020: litters of 3 and of 100 or more young by one sire; 2021 empty;
  // 2022: one litter of 4 whose sire was not counted.
  auto litters = litter_table({{2, 1, {{3, 1}, {100, 1}}}, {0, 0, {}}, {1, 0, {{4, 1}}}});
  population_total_set totals{9, 2, 1, 9, 9, 9};  // fathers: 2 + 1
  write_litter_report(run.ctx, 2022, 2020, 3, litters, totals);
  std::vector<std::string> expected = {
      "            ",
      "      Number of parents and litter size per year",
      " " + u47,
      "   Y of   number   pups/  number   nests  pups/ ",
      "  birth   nests     nest fathers /father father ",
      " " + u48,
      "    2020       2   51.50       1    2.00  103.00",
      "    2021       0    0.00       0    0.00    0.00",
      "    2022       1    4.00       0    0.00    0.00",
      " " + u48,
      // 107 young in 3 litters, 3 fathers.
      " totaal        3   35.67       3    1.00   35.67",
      " " + u48,
  };
  EXPECT_EQ(run.report(), expected);
}

TEST(LitterSizeTable, ColumnsRunToTheLargestSizeWithTotals) {
  captured_run run(true);
  auto litters = litter_table({{3, 1, {{1, 2}, {3, 1}}}, {0, 0, {}}, {1, 1, {{3, 123456789}}}});
  write_litter_size_table(run.ctx, 2022, 2020, 3, litters);
  std::vector<std::string> expected = {
      "            ",
      "                 Litter Sizes",
      " " + u56,
      "   born                     Litter size                     ",
      "  jaar         1       2       3",
      " " + u56,
      "    2020       2       0       1",
      "    2021       0       0       0",
      "    2022       0       0********",
      " " + u56,
      " total         2       0********",
      " " + u56,
  };
  EXPECT_EQ(run.report(), expected);
}

TEST(LitterSizeTable, DutchHundredColumnsAndNoLitters) {
  captured_run run(false);
  auto litters = litter_table({{1, 1, {{100, 1}}}});
  write_litter_size_table(run.ctx, 2020, 2020, 1, litters);
  auto lines = run.report();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[1], "      Worpgrootte");
  EXPECT_EQ(lines[3], "   geb.                     worpgrootte                     ");
  EXPECT_EQ(lines[4].size(), 808u);
  EXPECT_EQ(lines[4].substr(0, 16), "  jaar         1");
  EXPECT_EQ(lines[4].substr(800), "     100");
  EXPECT_EQ(lines[6].size(), 808u);
  EXPECT_EQ(lines[6].substr(0, 16), "    2020       0");
  EXPECT_EQ(lines[6].substr(800), "       1");
  EXPECT_EQ(lines[8].substr(0, 16), " totaal        0");

  captured_run none(false);
  auto empty = litter_table({{0, 0, {}}, {0, 0, {}}});
  write_litter_size_table(none.ctx, 2021, 2020, 2, empty);
  EXPECT_EQ(none.report(), (std::vector<std::string>{"            ", "  No littersizes known", "            "}));
}

}  // namespace
}  // namespace veldmarsh
