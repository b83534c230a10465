// Kinship per birth year: every value of the yearly tables, of whole years
// and of years split by month (with small split sizes; their subpopulations
// over the whole year), and the part tables
// of the report, against sums over the tabular relationship matrix on random
// pedigrees; worked subpopulations and month parts.
#include "inbreeding/calc_kinship_by_year.h"

#include <gtest/gtest.h>

#include "common/birth_year_groups.h"
#include "inbreeding/inbreeding_results.h"
#include "inbreeding/subpop_kinship.h"
#include "support/captured_run.h"
#include "support/pedigrees.h"

namespace veldmarsh {
namespace {

using matrix = std::vector<std::vector<double>>;
using rows = std::vector<std::int32_t>;

double block_sum(const matrix& a, const rows& r, const rows& c) {
  double sum = 0.0;
  for (std::int32_t i : r)
    for (std::int32_t j : c) sum += a[i][j];
  return sum;
}

double sum_f(const animal_table& animal, const rows& set) {
  double sum = 0.0;
  for (std::int32_t i : set) sum += animal[i].inbreeding;
  return sum;
}

// Columns 1 to 6 of a set of animals: mean F, mean relationship with self,
// and without self over all animals, parents, fathers and mothers (0 for a
// set of fewer than two).
std::vector<double> set_columns(const animal_table& animal, const matrix& a, const rows& all) {
  rows sets[4];
  for (std::int32_t i : all) {
    sets[0].push_back(i);
    if (!animal[i].has_counted_offspring) continue;
    sets[1].push_back(i);
    if (animal[i].sex == 1 || animal[i].sex == 2) sets[1 + animal[i].sex].push_back(i);
  }
  const double m = static_cast<double>(all.size());
  std::vector<double> out = {sum_f(animal, all) / m, block_sum(a, all, all) / (m * m), 0, 0, 0, 0};
  for (int k = 0; k < 4; ++k) {
    const double t = static_cast<double>(sets[k].size());
    if (t >= 2) out[k + 2] = (block_sum(a, sets[k], sets[k]) - t - sum_f(animal, sets[k])) / (t * (t - 1));
  }
  return out;
}

// The subpopulation row of a year: mean F and kinship within each code with
// two animals or more, kinship between such a code and any later one.
std::vector<double> subpop_columns(const animal_table& animal, const matrix& a, const rows& year,
                                   const std::vector<std::string>& codes) {
  const int s = static_cast<int>(codes.size());
  std::vector<double> out(static_cast<std::size_t>(subpop_kinship_columns(s)), 0.0);
  std::vector<rows> members(codes.size());
  for (int j = 0; j < s; ++j)
    for (std::int32_t i : year)
      if (trimmed_text_of(animal.texts, animal[i].subpop_code) == codes[j]) members[j].push_back(i);
  for (int j = 0; j < s; ++j) {
    const double nj = static_cast<double>(members[j].size());
    if (nj < 2) continue;
    out[2 * j] = sum_f(animal, members[j]) / nj;
    out[2 * j + 1] = 0.5 * (block_sum(a, members[j], members[j]) - nj - sum_f(animal, members[j])) / (nj * (nj - 1));
    for (int q = j + 1; q < s; ++q)
      if (!members[q].empty())
        out[subpop_pair_column(j + 1, q + 1, s) - 1] =
            0.5 * block_sum(a, members[j], members[q]) / (nj * static_cast<double>(members[q].size()));
  }
  return out;
}

// Runs calc_kinship_by_year on `animal` (F from the tabular matrix) and holds
// every cell and every part-table row against the sums above.
void expect_tabular_sums(animal_table& animal, const std::vector<std::string>& codes, const kinship_split_sizes& sizes,
                         const std::string& what) {
  testing::set_tabular_inbreeding(animal);
  const matrix a = testing::tabular_relationships(animal);
  std::int32_t first_year = 2147483647, last_year = 0;
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    if (animal[i].birth_year != 0) first_year = std::min(first_year, animal[i].birth_year), last_year = std::max(last_year, animal[i].birth_year);
  const std::int64_t n_years = last_year - first_year + 1;
  testing::captured_channels<false> run;
  run.ctx.cfg.n_subpop = static_cast<int>(codes.size());
  for (const std::string& c : codes) run.ctx.cfg.subpop_codes.push_back(make_text<20>(c));
  const year_range years = make_year_range(first_year, static_cast<std::int32_t>(first_year + n_years - 1));
  inbreeding_results inbreeding;
  allocate_inbreeding_tables(run.ctx, years, inbreeding);
  calc_kinship_by_year(run.ctx, animal, group_by_birth_year(run.ctx, animal, years, nullptr), inbreeding, sizes);
  const year_table<float> got = inbreeding.year_inbreeding;
  convert_relationships_to_kinships(inbreeding);
  const year_table<float>& got_subpop = inbreeding.year_subpop_kinship;

  std::vector<std::string> part_lines;  // the report's only 60-character lines
  for (const std::string& line : run.report())
    if (line.size() == 60) part_lines.push_back(line);
  std::size_t next_part = 0;
  for (std::int64_t k = 1; k <= n_years; ++k) {
    rows year;
    for (std::int32_t i = 1; i <= animal.size(); ++i)
      if (animal[i].birth_year == first_year + k - 1) year.push_back(i);
    std::vector<double> want(6, 0.0), want_subpop(static_cast<std::size_t>(got_subpop.n_cols), 0.0);
    if (static_cast<std::int64_t>(year.size()) >= sizes.split_from) {
      // Parts of whole months; the year gets the part means weighted by size.
      std::vector<std::int32_t> block;
      std::int32_t n_blocks = 0;
      assign_month_blocks(animal, static_cast<std::int64_t>(year.size()), year, block, n_blocks, sizes.part_size);
      want[0] = sum_f(animal, year) / static_cast<double>(year.size());
      for (std::int32_t p = 1; p <= n_blocks; ++p) {
        rows part;
        for (std::size_t i = 0; i < year.size(); ++i)
          if (block[i] == p) part.push_back(year[i]);
        std::vector<double> c = part.empty() ? std::vector<double>(6, 0.0) : set_columns(animal, a, part);
        if (part.size() < 2) c[0] = 0.0;
        for (int j = 1; j < 6; ++j) want[j] += c[j] * static_cast<double>(part.size()) / static_cast<double>(year.size());
        ASSERT_LT(next_part, part_lines.size()) << what;
        const std::string& line = part_lines[next_part++];
        EXPECT_EQ(std::stol(line.substr(4, 8)), static_cast<long>(part.size())) << what << ": " << line;
        for (int j = 0; j < 6; ++j)
          EXPECT_NEAR(std::stod(line.substr(12 + 8 * j, 8)), j == 0 ? c[0] : 0.5 * c[j], 0.00011) << what << ": " << line;
      }
    } else if (!year.empty()) {
      want = set_columns(animal, a, year);
    }
    // Subpopulations over the whole year, split or not.
    if (!year.empty() && codes.size() > 1) want_subpop = subpop_columns(animal, a, year, codes);
    for (int c = 1; c <= 6; ++c)
      ASSERT_NEAR(got(k, c), want[c - 1], 1e-6) << what << ", year row " << k << ", column " << c;
    for (std::int64_t c = 1; c <= got_subpop.n_cols; ++c)
      ASSERT_NEAR(got_subpop(k, c), want_subpop[c - 1], 1e-6) << what << ", subpopulation row " << k << ", column " << c;
  }
  EXPECT_EQ(next_part, part_lines.size()) << what;
}

TEST(CalcKinshipByYear, EqualsTheTabularMatrixOnRandomPedigrees) {
  const std::vector<std::vector<std::string>> code_sets = {
      {}, {"A"}, {"A", "B"}, {"NORTH", "SOUTH", "A", "NORTH", "EAST"},
      {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"}};
  std::mt19937 rng(2024);
  for (int round = 0; round < 100; ++round) {
    const std::vector<std::string>& codes = code_sets[round % code_sets.size()];
    animal_table animal = testing::random_pedigree(rng, 1 + static_cast<int>(rng() % 260), 1 + round % 8, codes);
    expect_tabular_sums(animal, codes, {}, "round " + std::to_string(round));
    if (HasFatalFailure()) return;
  }
}

TEST(CalcKinshipByYear, SplitYearsEqualTheTabularMatrixPartByPart) {
  // Split from 40 animals into parts of about 15: the rules of 72000 and
  // 40000. Few subpopulations share a pass with a part, many take their own.
  const std::vector<std::vector<std::string>> code_sets = {
      {"A", "B"}, {"A", "B", "C", "D", "E", "F"}, {"a", "b", "c", "d", "e", "f", "g", "h", "i"}};
  std::mt19937 rng(99);
  for (int round = 0; round < 60; ++round) {
    const std::vector<std::string>& codes = code_sets[round % code_sets.size()];
    animal_table animal = testing::random_pedigree(rng, 40 + static_cast<int>(rng() % 300), 1 + round % 4, codes,
                                                   round % 13);
    expect_tabular_sums(animal, codes, {40, 15}, "split round " + std::to_string(round));
    if (HasFatalFailure()) return;
  }
}

TEST(CalcKinshipByYear, WorkedSubpopulations) {
  // In 2001: full sibs in A, their half sibs (same sire, another dam) in B, a
  // lone animal in C and one of no subpopulation; B listed twice.
  animal_table animal = testing::table_of({{0, 0, 1, 2000}, {0, 0, 2, 2000}, {0, 0, 2, 2000},
                                           {1, 2, 1, 2001, 1, "A"}, {1, 2, 2, 2001, 1, "A"},
                                           {1, 3, 1, 2001, 1, "B"}, {1, 3, 2, 2001, 1, "B"},
                                           {0, 0, 2, 2001, 1, "C"}, {1, 3, 2, 2001, 1, "ELSEWHERE"}});
  testing::captured_channels<false> run;
  run.ctx.cfg.n_subpop = 4;
  run.ctx.cfg.subpop_codes = {make_text<20>("A"), make_text<20>("B"), make_text<20>("C"), make_text<20>("B")};
  inbreeding_results inbreeding;
  const year_range years = make_year_range(2000, 2001);
  allocate_inbreeding_tables(run.ctx, years, inbreeding);
  calc_kinship_by_year(run.ctx, animal, group_by_birth_year(run.ctx, animal, years, nullptr), inbreeding);
  convert_relationships_to_kinships(inbreeding);
  const year_table<float>& subpop = inbreeding.year_subpop_kinship;
  // Kinship within A and B 0.25; C alone stays 0, also in its pairs; A and B
  // half sibs 0.125; B with its double (2 x 1 + 2 x 0.5) / 4, halved.
  const std::vector<float> want = {0, 0.25f, 0, 0.25f, 0, 0, 0, 0.25f, 0.125f, 0, 0.125f, 0, 0.375f, 0};
  for (std::size_t c = 0; c < want.size(); ++c) EXPECT_EQ(subpop(2, c + 1), want[c]) << "column " << c + 1;
  for (std::int64_t c = 1; c <= subpop.n_cols; ++c) EXPECT_EQ(subpop(1, c), 0.0f);
}

TEST(AssignMonthBlocks, PartsTakeWholeMonthsInOrder) {
  struct block_case {
    std::vector<int> months;
    std::int64_t part_size;
    std::vector<std::int32_t> want;
  };
  // 13 animals in parts of 4 (4 parts of about 3); 3 animals: one part;
  // months left when the last part begins and months outside 1..12 go last.
  const block_case cases[] = {{{1, 1, 2, 3, 3, 3, 4, 5, 5, 6, 6, 6, 6}, 4, {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 4}},
                              {{3, 9, 12}, 40000, {1, 1, 1}},
                              {{1, 1, 1, 1, 1, 1, 1, 0, 13}, 4, {1, 1, 1, 1, 1, 1, 1, 3, 3}},
                              {{12, 2, 7, 2, 1, 11, 5}, 3, {3, 1, 2, 1, 1, 3, 2}}};
  for (const block_case& c : cases) {
    std::vector<testing::animal_spec> specs;
    for (int m : c.months) specs.push_back({0, 0, 1, 2000, m});
    const animal_table animal = testing::table_of(specs);
    rows year;
    for (std::int32_t i = 1; i <= animal.size(); ++i) year.push_back(i);
    std::vector<std::int32_t> block;
    std::int32_t n_blocks = 0;
    assign_month_blocks(animal, animal.size(), year, block, n_blocks, c.part_size);
    EXPECT_EQ(block, c.want);
    EXPECT_EQ(n_blocks, c.want.back() > 1 ? static_cast<std::int32_t>(c.months.size() / c.part_size + 1) : 1);
  }
}

}  // namespace
}  // namespace veldmarsh
