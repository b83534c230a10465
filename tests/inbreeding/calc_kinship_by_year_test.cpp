// Kinship per birth year: every value against the whole relationship
// matrix on random pedigrees (whole and split years), worked cases exactly.
#include "inbreeding/calc_kinship_by_year.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "../run/pedigree_test_support.h"
#include "inbreeding/subpop_kinship.h"
#include "kinship_reference.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;

// Appends an animal (parents by number, 0 unknown) and returns its number.
std::int32_t add(animal_table& animal, std::int32_t sire, std::int32_t dam, int sex, int year,
                 const char* code = "", int month = 1) {
  if (animal.rows.empty()) animal.rows.push_back(new_animal_record());
  animal_record r = new_animal_record();
  r.nr = static_cast<std::int32_t>(animal.rows.size());
  r.sire_nr = sire;
  r.dam_nr = dam;
  r.sex = sex;
  r.birth_year = year;
  r.birth_month = month;
  set_text(animal, r.subpop_code, code);
  animal.rows.push_back(r);
  for (std::int32_t p : {sire, dam})
    if (p != 0) animal[p].is_parent = animal[p].has_counted_offspring = true;
  return r.nr;
}

void set_subpops(settings& cfg, const std::vector<std::string>& codes) {
  cfg.n_subpop = static_cast<int>(codes.size());
  cfg.subpop_codes.clear();
  for (const std::string& c : codes) cfg.subpop_codes.push_back(make_text<20>(c));
}

struct kinship_tables {
  year_table<float> inbreeding;
  year_table<float> subpop;
};

// Kinship per birth year as a run leaves it for the reports: the whole
// population's relationships as computed, the subpopulations' halved into
// kinships.
kinship_tables run_kinship(captured_run& run, const animal_table& animal, std::int64_t n_years, int first_year,
                           const kinship_split_sizes& sizes = {}) {
  const year_range years = make_year_range(first_year, static_cast<std::int32_t>(first_year + n_years - 1));
  inbreeding_results inbreeding;
  allocate_inbreeding_tables(run.ctx, years, inbreeding);
  calc_kinship_by_year(run.ctx, animal, group_by_birth_year(run.ctx, animal, years, nullptr), inbreeding, sizes);
  kinship_tables t{inbreeding.year_inbreeding, {}};
  convert_relationships_to_kinships(inbreeding);
  t.subpop = inbreeding.year_subpop_kinship;
  return t;
}

// The years spanned by the table's known birth years.
void birth_year_span(const animal_table& animal, int& first_year, std::int64_t& n_years) {
  int last = 0;
  first_year = 2147483647;
  for (std::int64_t i = 1; i <= animal.size(); ++i) {
    if (animal[i].birth_year != 0 && animal[i].birth_year < first_year) first_year = animal[i].birth_year;
    if (animal[i].birth_year > last) last = animal[i].birth_year;
  }
  n_years = static_cast<std::int64_t>(last) - first_year + 1;
}

void expect_equal_to_slow_matrices(const animal_table& animal, const std::vector<std::string>& codes,
                             const kinship_split_sizes& sizes, const std::string& what) {
  captured_run run;
  set_subpops(run.ctx.cfg, codes);
  int first_year = 0;
  std::int64_t n_years = 0;
  birth_year_span(animal, first_year, n_years);
  kinship_tables got = run_kinship(run, animal, n_years, first_year, sizes);
  kinship_reference::slow_result want = kinship_reference::slow_kinship_by_year(
      animal, n_years, first_year, run.ctx.cfg, sizes.split_from, sizes.part_size);
  for (std::int64_t k = 1; k <= n_years; ++k) {
    for (int c = 1; c <= 6; ++c)
      ASSERT_NEAR(got.inbreeding(k, c), want.year_inbreeding[k - 1][c - 1], 1e-6)
          << what << " year row " << k << " column " << c;
    for (std::int64_t c = 1; c <= got.subpop.n_cols; ++c)
      ASSERT_NEAR(got.subpop(k, c), want.year_subpop_kinship[k - 1][c - 1], 1e-6)
          << what << " subpopulation row " << k << " column " << c;
  }
  // The part tables (their rows are the report's only 60-character lines):
  // counts exactly, the printed F and kinships to their 4 decimals.
  std::vector<std::string> rows;
  for (const std::string& line : run.report())
    if (line.size() == 60) rows.push_back(line);
  std::size_t next = 0;
  for (std::int64_t k = 1; k <= n_years; ++k)
    for (const std::vector<double>& part : want.parts[k - 1]) {
      ASSERT_LT(next, rows.size()) << what;
      const std::string& row = rows[next++];
      EXPECT_EQ(std::stol(row.substr(4, 8)), static_cast<long>(part[0])) << what << ": " << row;
      EXPECT_NEAR(std::stod(row.substr(12, 8)), part[1], 0.00011) << what << ": " << row;
      for (int c = 2; c <= 6; ++c)
        EXPECT_NEAR(std::stod(row.substr(static_cast<std::size_t>(12 + 8 * (c - 1)), 8)), 0.5 * part[c], 0.00011)
            << what << ": " << row;
    }
  EXPECT_EQ(next, rows.size()) << what;
}

TEST(CalcKinshipByYear, EqualsTheWholeMatrixOnRandomPedigrees) {
  const std::vector<std::vector<std::string>> code_sets = {
      {}, {"A"}, {"A", "B"}, {"A", "B", "C"}, {"NORTH", "SOUTH", "A", "NORTH", "EAST"},
      {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"}};
  std::mt19937 rng(2024);
  for (int round = 0; round < 120; ++round) {
    const std::vector<std::string>& codes = code_sets[static_cast<std::size_t>(round) % code_sets.size()];
    int n = 1 + static_cast<int>(rng() % 260);
    int span = 1 + static_cast<int>(rng() % 8);
    animal_table animal = kinship_reference::random_pedigree(rng, n, 1990, span, codes);
    kinship_reference::tabular_inbreeding(animal);
    expect_equal_to_slow_matrices(animal, codes, {}, "round " + std::to_string(round));
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(CalcKinshipByYear, SplitYearsEqualThePartMatrices) {
  // Split from 40 animals into parts of about 15: the same rules as 72000 and
  // 40000. Two subpopulations share the pass of a year's first part; six
  // have one of their own; nine need more than one.
  const std::vector<std::vector<std::string>> code_sets = {
      {"A", "B"}, {"A", "B", "C", "D", "E", "F"}, {"A", "B", "C", "D", "E", "F", "G", "H", "I"}};
  std::mt19937 rng(99);
  for (int round = 0; round < 60; ++round) {
    const std::vector<std::string>& codes = code_sets[static_cast<std::size_t>(round) % code_sets.size()];
    int n = 40 + static_cast<int>(rng() % 300);
    int span = 1 + static_cast<int>(rng() % 4);
    int month_bias = static_cast<int>(rng() % 13);
    animal_table animal = kinship_reference::random_pedigree(rng, n, 2001, span, codes, month_bias);
    kinship_reference::tabular_inbreeding(animal);
    expect_equal_to_slow_matrices(animal, codes, {40, 15}, "split round " + std::to_string(round));
    if (::testing::Test::HasFatalFailure()) return;
  }
}

struct cell { std::int64_t row; int col; float value; };

void expect_cells(const year_table<float>& t, const std::vector<cell>& cells) {
  for (const cell& c : cells) EXPECT_EQ(t(c.row, c.col), c.value) << "row " << c.row << " column " << c.col;
}

TEST(CalcKinshipByYear, WorkedYears) {
  animal_table animal;
  std::int32_t s1 = add(animal, 0, 0, 1, 1990), d1 = add(animal, 0, 0, 2, 1990);
  std::int32_t b1 = add(animal, s1, d1, 1, 1991), b2 = add(animal, s1, d1, 2, 1991);  // full sibs only
  add(animal, b1, b2, 1, 1993);                                                        // alone in its year, F 0.25
  for (int sex : {1, 2, 2}) add(animal, 0, 0, sex, 1994);                              // founders only
  kinship_reference::tabular_inbreeding(animal);
  captured_run run;
  kinship_tables t = run_kinship(run, animal, 5, 1990);
  expect_cells(t.inbreeding, {
      {1, 2, 0.5f}, {1, 3, 0}, {1, 4, 0}, {1, 5, 0},                         // one father: stays 0
      {2, 1, 0}, {2, 2, 0.75f}, {2, 3, 0.5f}, {2, 4, 0.5f}, {2, 5, 0}, {2, 6, 0},
      {3, 1, 0}, {3, 2, 0}, {3, 3, 0}, {3, 4, 0}, {3, 5, 0}, {3, 6, 0},      // 1992: no animals
      {4, 1, 0.25f}, {4, 2, 1.25f}, {4, 3, 0}, {4, 4, 0}, {4, 5, 0}, {4, 6, 0},
      {5, 2, 1.0f / 3.0f}, {5, 3, 0}});                                      // 1994: the identity

  // Two unrelated sires of 2000 and their half-sib daughters of 2001.
  animal_table half;
  std::int32_t m1 = add(half, 0, 0, 1, 2000), m2 = add(half, 0, 0, 1, 2000), d = add(half, 0, 0, 2, 1999);
  add(half, m1, d, 2, 2001);
  add(half, m2, d, 2, 2001);
  add(half, 0, 0, 2, 2000);
  kinship_reference::tabular_inbreeding(half);
  captured_run run2;
  expect_cells(run_kinship(run2, half, 3, 1999).inbreeding, {{2, 4, 0}, {2, 5, 0}, {3, 3, 0.25f}, {3, 4, 0}});

  // Two full-sib sires of 2000: parents and fathers only.
  animal_table related;
  std::int32_t f = add(related, 0, 0, 1, 1999), g = add(related, 0, 0, 2, 1999);
  std::int32_t a = add(related, f, g, 1, 2000), b = add(related, f, g, 1, 2000);
  add(related, 0, 0, 2, 2000);
  std::int32_t dam = add(related, 0, 0, 2, 1999);
  add(related, a, dam, 1, 2001);
  add(related, b, dam, 1, 2001);
  kinship_reference::tabular_inbreeding(related);
  captured_run run3;
  expect_cells(run_kinship(run3, related, 3, 1999).inbreeding, {{2, 4, 0.5f}, {2, 5, 0.5f}, {2, 6, 0}});
}

TEST(CalcKinshipByYear, NoYearsWritesNothing) {
  animal_table animal;
  add(animal, 0, 0, 1, 2005);
  captured_run run;
  run_kinship(run, animal, 0, 2005);
  EXPECT_TRUE(run.console().empty());
}

std::vector<std::string> progress_lines(int n) {
  animal_table animal;
  for (int i = 0; i < n; ++i) add(animal, 0, 0, 1 + i % 2, 2000);
  captured_run run;
  kinship_tables t = run_kinship(run, animal, 1, 2000);
  EXPECT_EQ(t.inbreeding(1, 2), static_cast<float>(1.0 / n));
  std::vector<std::string> lines = run.console();
  return std::vector<std::string>(lines.begin() + 2, lines.end());
}

TEST(CalcKinshipByYear, ProgressCadence) {
  EXPECT_EQ(progress_lines(1000), std::vector<std::string>{" animal no.          500 kinships estimated"});
  EXPECT_TRUE(progress_lines(500).empty());
  std::vector<std::string> lines = progress_lines(10001);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines.front(), " animal no.         1000 kinships estimated");
  EXPECT_EQ(lines.back(), " animal no.        10000 kinships estimated");
  lines = progress_lines(25001);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines.back(), " animal no.        25000 kinships estimated");
}

TEST(CalcKinshipByYear, Subpopulations) {
  // Full sibs in A, their half sibs (same sire, another dam) in B, a lone
  // animal in C, an animal of no subpopulation.
  animal_table animal;
  std::int32_t s = add(animal, 0, 0, 1, 2000), d1 = add(animal, 0, 0, 2, 2000), d2 = add(animal, 0, 0, 2, 2000);
  add(animal, s, d1, 1, 2001, "A");
  add(animal, s, d1, 2, 2001, "A");
  add(animal, s, d2, 1, 2001, "B");
  add(animal, s, d2, 2, 2001, "B");
  add(animal, 0, 0, 2, 2001, "C");
  add(animal, s, d2, 2, 2001, "ELSEWHERE");
  kinship_reference::tabular_inbreeding(animal);
  captured_run run;
  set_subpops(run.ctx.cfg, {"A", "B", "C"});
  kinship_tables t = run_kinship(run, animal, 2, 2000);
  ASSERT_EQ(t.subpop.n_cols, 9);
  // 2000: founders of no subpopulation; 2001: sibs halved, C alone stays 0,
  // (A, B) half sibs 0.25 halved, pairs with C unrelated.
  std::vector<cell> want;
  for (int c = 1; c <= 9; ++c) want.push_back({1, c, 0});
  for (cell c : std::vector<cell>{{2, 1, 0}, {2, 2, 0.25f}, {2, 4, 0.25f}, {2, 5, 0}, {2, 6, 0},
                                  {2, 7, 0.125f}, {2, 8, 0}, {2, 9, 0}})
    want.push_back(c);
  expect_cells(t.subpop, want);

  // The first of three subpopulations has one animal: its pairs stay 0 and
  // the pair (2, 3) goes to column 9: (2 x 0.5 + 2 x 0) / 4, halved.
  animal_table three;
  std::int32_t f = add(three, 0, 0, 1, 2000), g = add(three, 0, 0, 2, 2000);
  for (auto [sex, code] : {std::pair{1, "X"}, {1, "Y"}, {2, "Y"}, {1, "Z"}}) add(three, f, g, sex, 2001, code);
  add(three, 0, 0, 2, 2001, "Z");
  kinship_reference::tabular_inbreeding(three);
  captured_run run3;
  set_subpops(run3.ctx.cfg, {"X", "Y", "Z"});
  expect_cells(run_kinship(run3, three, 2, 2000).subpop, {{2, 7, 0}, {2, 8, 0}, {2, 9, 0.125f}, {2, 4, 0.25f}, {2, 6, 0}});

  // A code listed twice: (A, A') takes every pair of the two, self included.
  captured_run twice;
  set_subpops(twice.ctx.cfg, {"A", "B", "A"});
  t = run_kinship(twice, animal, 2, 2000);
  expect_cells(t.subpop, {{2, 5, 0}, {2, 6, 0.25f}, {2, 8, 0.375f}});
  EXPECT_EQ(t.subpop(2, 7), t.subpop(2, 9));

  // Two subpopulations of two unrelated founders each: all 0.
  animal_table founders;
  for (const char* code : {"P", "P", "Q", "Q"}) add(founders, 0, 0, 1, 2000, code);
  captured_run run4;
  set_subpops(run4.ctx.cfg, {"P", "Q"});
  expect_cells(run_kinship(run4, founders, 1, 2000).subpop, {{1, 1, 0}, {1, 2, 0}, {1, 3, 0}, {1, 4, 0}, {1, 5, 0}});
}

TEST(AssignMonthBlocks, PartsTakeWholeMonthsInOrder) {
  auto blocks = [](const std::vector<int>& months, std::int64_t part_size, std::int32_t& n_blocks) {
    animal_table animal;
    std::vector<std::int32_t> rows;
    for (int m : months) rows.push_back(add(animal, 0, 0, 1, 2000, "", m));
    std::vector<std::int32_t> block;
    assign_month_blocks(animal, static_cast<std::int64_t>(rows.size()), rows, block, n_blocks, part_size);
    return block;
  };
  auto cycling = [](std::size_t n) {
    std::vector<int> months(n);
    for (std::size_t i = 0; i < n; ++i) months[i] = 1 + static_cast<int>(i % 12);
    return months;
  };
  // {months, part size, parts, animals in each part}: 72000 animals give 2
  // parts of 36000; 120000 give 4 of three months (30000), the last taking
  // the rest; all in month 1 go to part 1.
  struct block_case { std::vector<int> months; std::int64_t part_size; std::int32_t n_blocks; std::vector<long> per_part; };
  const std::vector<block_case> cases = {{cycling(72000), 40000, 2, {36000, 36000}},
                                         {cycling(120000), 40000, 4, {30000, 30000, 30000, 30000}},
                                         {std::vector<int>(80000, 1), 40000, 3, {80000, 0, 0}}};
  for (const block_case& c : cases) {
    std::int32_t n_blocks = 0;
    std::vector<std::int32_t> b = blocks(c.months, c.part_size, n_blocks);
    EXPECT_EQ(n_blocks, c.n_blocks);
    for (std::size_t p = 0; p < c.per_part.size(); ++p)
      EXPECT_EQ(std::count(b.begin(), b.end(), static_cast<std::int32_t>(p + 1)), c.per_part[p]) << c.months.size();
    if (c.n_blocks == 4) {
      EXPECT_EQ(b[11], 4);
    }
  }
  // Months 1 to 6 only (parts of 4, 13 animals); fewer animals than a part.
  std::int32_t n_blocks = 0;
  EXPECT_EQ(blocks({1, 1, 2, 3, 3, 3, 4, 5, 5, 6, 6, 6, 6}, 4, n_blocks),
            (std::vector<std::int32_t>{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 4}));
  EXPECT_EQ(n_blocks, 4);
  EXPECT_EQ(blocks({3, 9, 12}, 40000, n_blocks), (std::vector<std::int32_t>{1, 1, 1}));
  EXPECT_EQ(n_blocks, 1);
}


// A year of 75000 young of two founder sires and two founder dams: months
// 1 to 4 hold 40000 of them (part 1), months 5 to 11 the other 35000.
animal_table large_year() {
  animal_table animal;
  for (int p = 0; p < 4; ++p) add(animal, 0, 0, p < 2 ? 1 : 2, 1999);
  animal.rows.reserve(75005);
  for (int i = 0; i < 75000; ++i) {
    int r = i % 15;
    int month = r < 8 ? 1 + r / 2 : r - 3;
    add(animal, 1 + i % 2, 3 + (i / 2) % 2, 1 + i % 2, 2000, "A", month);
  }
  return animal;
}

// Sum of relationships over the ordered pairs of a set of young of the
// four founders: 1 on the diagonal, 0.5 for full sibs, 0.25 for half sibs.
double family_sum(const animal_table& animal, int part_first_month, int part_last_month, std::int64_t& m) {
  double family[2][2] = {};
  m = 0;
  for (std::int64_t t = 5; t <= animal.size(); ++t)
    if (animal[t].birth_month >= part_first_month && animal[t].birth_month <= part_last_month) {
      ++family[animal[t].sire_nr - 1][animal[t].dam_nr - 3];
      ++m;
    }
  double sum = static_cast<double>(m);
  for (int s = 0; s < 2; ++s)
    for (int d = 0; d < 2; ++d) {
      double nf = family[s][d];
      sum += nf * (nf - 1) * 0.5;
      sum += nf * (family[s][1 - d] * 0.25 + family[1 - s][d] * 0.25);
    }
  return sum;
}

TEST(CalcKinshipByYear, SplitYearOf75000) {
  animal_table animal = large_year();
  for (bool english : {true, false}) {
    captured_run run(english);
    set_subpops(run.ctx.cfg, {"A", "B"});
    kinship_tables t = run_kinship(run, animal, 2, 1999);

    std::vector<std::string> console = run.console();
    ASSERT_GE(console.size(), 8u);
    std::vector<std::string> progress;
    for (const std::string& line : console)
      if (line.find(english ? "kinships estimated" : "verwantschappen berekend") != std::string::npos)
        progress.push_back(line);
    EXPECT_EQ(progress.size(), 14u);
    if (english) {
      // The split and part lines' layout is held by the split-year end-to-end case.
      EXPECT_EQ(console[6], " animal no.         9371 kinships estimated");
      EXPECT_EQ(console[13], " part number            2  with        35000 individuals ");
      // Handled just before this line: part 1's last animal.
      EXPECT_EQ(console[14], " animal no.        74996 kinships estimated");
      EXPECT_EQ(console[15], " animal no.        10723 kinships estimated");
    } else {
      EXPECT_EQ(console[4], " jaar gesplitst in            2 delen voor berekenen verwantschappen ");
      EXPECT_EQ(console[5], " deel nummer            1  met        40000 dieren ");
      EXPECT_EQ(console[6], " dier nr         9371 verwantschappen berekend");
    }
    EXPECT_EQ(console.size(), 2u + 4u + 14u + 1u);

    std::int64_t m1 = 0, m2 = 0;
    double a1 = family_sum(animal, 1, 4, m1), a2 = family_sum(animal, 5, 12, m2);
    ASSERT_EQ(m1, 40000);
    ASSERT_EQ(m2, 35000);
    double with_self[2] = {a1 / (40000.0 * 40000.0), a2 / (35000.0 * 35000.0)};
    double without_self[2] = {(a1 - 40000.0) / (40000.0 * 39999.0), (a2 - 35000.0) / (35000.0 * 34999.0)};
    EXPECT_NEAR(t.inbreeding(2, 2), (40000 * with_self[0] + 35000 * with_self[1]) / 75000, 1e-6);
    EXPECT_NEAR(t.inbreeding(2, 3), (40000 * without_self[0] + 35000 * without_self[1]) / 75000, 1e-6);
    for (int c = 4; c <= 6; ++c) EXPECT_EQ(t.inbreeding(2, c), 0.0f);
    EXPECT_EQ(t.inbreeding(1, 5), 0.0f);  // two unrelated fathers
    // The subpopulations of a split year take every pair of the year: all
    // young are of A; B has none, so its columns and the pair stay 0.
    std::int64_t m_year = 0;
    const double a_year = family_sum(animal, 1, 12, m_year);
    EXPECT_NEAR(t.subpop(2, 2), 0.5 * (a_year - 75000.0) / (75000.0 * 74999.0), 1e-6);
    for (int c : {1, 3, 4, 5}) EXPECT_EQ(t.subpop(2, c), 0.0f);

    std::vector<std::string> report = run.report();
    const std::string underline = " " + std::string(64, '_');
    ASSERT_EQ(report.size(), 11u);
    if (!english) {  // the English head is held by the split-year end-to-end case
      const std::vector<std::string> want_head = {
          "            ", " " "           INTEELT jaar    " "        2000", underline,
          "  deel.    #        F       f       f       f       f     f    ",
          "  van    nwe      alle    incl.   excl.   ouders  vaders moeders         ",
          "  jaar   dieren  dieren   zelf    zelf                       ", underline};
      for (std::size_t i = 0; i < want_head.size(); ++i) EXPECT_EQ(report[i], want_head[i]) << i;
    }
    for (int p = 0; p < 2; ++p) {
      const std::string& row = report[7 + static_cast<std::size_t>(p)];
      ASSERT_EQ(row.size(), 60u);
      EXPECT_EQ(row.substr(0, 28), std::string(p == 0 ? "   1   40000  0.0000  " : "   2   35000  0.0000  ") +
                                       row.substr(22, 6));
      EXPECT_NEAR(std::stod(row.substr(20, 8)), 0.5 * with_self[p], 0.00005);
      EXPECT_NEAR(std::stod(row.substr(28, 8)), 0.5 * without_self[p], 0.00005);
      EXPECT_EQ(row.substr(36), "  0.0000  0.0000  0.0000");
    }
    EXPECT_EQ(report[9], underline);
    EXPECT_EQ(report[10], "            ");
  }
}

}  // namespace
}  // namespace veldmarsh
