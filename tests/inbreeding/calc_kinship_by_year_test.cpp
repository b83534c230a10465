// Kinship per birth year: every value against the literal relationship
// matrix on random pedigrees (whole and split years, many subpopulations),
// the worked cases exactly, the console lines and the part table.
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
  set_text(r.subpop_code, code);
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

kinship_tables run_kinship(captured_run& run, const animal_table& animal, std::int64_t n_years, int first_year,
                           const kinship_split_sizes& sizes = {}) {
  kinship_tables t;
  allocate_year_table(t.inbreeding, n_years, 6);
  allocate_year_table(t.subpop, n_years, subpop_kinship_columns(run.ctx.cfg.n_subpop));
  calc_kinship_by_year(run.ctx, animal, n_years, first_year, t.inbreeding, t.subpop, sizes);
  return t;
}

// The years spanned by the table's known birth years.
void year_range(const animal_table& animal, int& first_year, std::int64_t& n_years) {
  int last = 0;
  first_year = 2147483647;
  for (std::int64_t i = 1; i <= animal.size(); ++i) {
    if (animal[i].birth_year != 0 && animal[i].birth_year < first_year) first_year = animal[i].birth_year;
    if (animal[i].birth_year > last) last = animal[i].birth_year;
  }
  n_years = static_cast<std::int64_t>(last) - first_year + 1;
}

void expect_equal_to_literal(const animal_table& animal, const std::vector<std::string>& codes,
                             const kinship_split_sizes& sizes, const std::string& what) {
  captured_run run;
  set_subpops(run.ctx.cfg, codes);
  int first_year = 0;
  std::int64_t n_years = 0;
  year_range(animal, first_year, n_years);
  kinship_tables got = run_kinship(run, animal, n_years, first_year, sizes);
  kinship_reference::literal_result want = kinship_reference::literal_kinship_by_year(
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

TEST(CalcKinshipByYear, EqualsTheLiteralMatrixOnRandomPedigrees) {
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
    expect_equal_to_literal(animal, codes, {}, "round " + std::to_string(round));
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(CalcKinshipByYear, SplitYearsEqualTheLiteralPartMatrices) {
  // Split from 40 animals into parts of about 15: the same rules as 72000 and 40000.
  std::mt19937 rng(99);
  for (int round = 0; round < 60; ++round) {
    int n = 40 + static_cast<int>(rng() % 300);
    int span = 1 + static_cast<int>(rng() % 4);
    int month_bias = static_cast<int>(rng() % 13);
    animal_table animal = kinship_reference::random_pedigree(rng, n, 2001, span, {"A", "B"}, month_bias);
    kinship_reference::tabular_inbreeding(animal);
    expect_equal_to_literal(animal, {"A", "B"}, {40, 15}, "split round " + std::to_string(round));
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(CalcKinshipByYear, WorkedYears) {
  animal_table animal;
  std::int32_t s1 = add(animal, 0, 0, 1, 1990), d1 = add(animal, 0, 0, 2, 1990);
  std::int32_t b1 = add(animal, s1, d1, 1, 1991), b2 = add(animal, s1, d1, 2, 1991);  // full sibs only
  add(animal, b1, b2, 1, 1993);                                                        // alone in its year, F 0.25
  add(animal, 0, 0, 1, 1994);
  add(animal, 0, 0, 2, 1994);
  add(animal, 0, 0, 2, 1994);                                                          // founders only
  kinship_reference::tabular_inbreeding(animal);
  captured_run run;
  kinship_tables t = run_kinship(run, animal, 5, 1990);

  // 1990: two founders, both parents, one of each sex.
  EXPECT_EQ(t.inbreeding(1, 2), 0.5f);
  EXPECT_EQ(t.inbreeding(1, 3), 0.0f);
  EXPECT_EQ(t.inbreeding(1, 4), 0.0f);
  EXPECT_EQ(t.inbreeding(1, 5), 0.0f);  // one father: stays 0
  // 1991: two full sibs of unrelated founders, a father and a mother.
  EXPECT_EQ(t.inbreeding(2, 1), 0.0f);
  EXPECT_EQ(t.inbreeding(2, 2), 0.75f);
  EXPECT_EQ(t.inbreeding(2, 3), 0.5f);
  EXPECT_EQ(t.inbreeding(2, 4), 0.5f);
  EXPECT_EQ(t.inbreeding(2, 5), 0.0f);
  EXPECT_EQ(t.inbreeding(2, 6), 0.0f);
  // 1992: no animals.
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(t.inbreeding(3, c), 0.0f);
  // 1993: one animal with F 0.25.
  EXPECT_EQ(t.inbreeding(4, 1), 0.25f);
  EXPECT_EQ(t.inbreeding(4, 2), 1.25f);
  for (int c = 3; c <= 6; ++c) EXPECT_EQ(t.inbreeding(4, c), 0.0f);
  // 1994: founders only: the identity.
  EXPECT_EQ(t.inbreeding(5, 2), 1.0f / 3.0f);
  EXPECT_EQ(t.inbreeding(5, 3), 0.0f);
}

TEST(CalcKinshipByYear, TwoParentsOfOneSexFillParentsAndThatSexOnly) {
  animal_table animal;
  std::int32_t m1 = add(animal, 0, 0, 1, 2000), m2 = add(animal, 0, 0, 1, 2000);
  std::int32_t d = add(animal, 0, 0, 2, 1999);
  add(animal, m1, d, 2, 2001);
  add(animal, m2, d, 2, 2001);
  add(animal, 0, 0, 2, 2000);
  kinship_reference::tabular_inbreeding(animal);
  captured_run run;
  kinship_tables t = run_kinship(run, animal, 3, 1999);
  // 2000: the two sires are unrelated founders.
  EXPECT_EQ(t.inbreeding(2, 4), 0.0f);
  EXPECT_EQ(t.inbreeding(2, 5), 0.0f);
  // 2001: two half sibs (0.25), no parents among them.
  EXPECT_EQ(t.inbreeding(3, 3), 0.25f);
  EXPECT_EQ(t.inbreeding(3, 4), 0.0f);

  animal_table related;
  std::int32_t f = add(related, 0, 0, 1, 1999), g = add(related, 0, 0, 2, 1999);
  std::int32_t a = add(related, f, g, 1, 2000), b = add(related, f, g, 1, 2000);
  add(related, 0, 0, 2, 2000);
  std::int32_t dam = add(related, 0, 0, 2, 1999);
  add(related, a, dam, 1, 2001);
  add(related, b, dam, 1, 2001);
  kinship_reference::tabular_inbreeding(related);
  captured_run run2;
  t = run_kinship(run2, related, 3, 1999);
  EXPECT_EQ(t.inbreeding(2, 4), 0.5f);  // two full-sib sires
  EXPECT_EQ(t.inbreeding(2, 5), 0.5f);
  EXPECT_EQ(t.inbreeding(2, 6), 0.0f);
}

TEST(CalcKinshipByYear, ConsoleLinesInBothLanguages) {
  animal_table animal;
  add(animal, 0, 0, 1, 2005);
  add(animal, 0, 0, 2, 2007);
  for (bool english : {true, false}) {
    captured_run run(english);
    run_kinship(run, animal, 3, 2005);
    std::vector<std::string> want =
        english ? std::vector<std::string>{" compute kinships for year        2005", " number in year =            1",
                                           " compute kinships for year        2006", " number in year =            0",
                                           " compute kinships for year        2007", " number in year =            1"}
                : std::vector<std::string>{" bereken verwantschappen voor jaar         2005", " number in year =            1",
                                           " bereken verwantschappen voor jaar         2006", " number in year =            0",
                                           " bereken verwantschappen voor jaar         2007", " number in year =            1"};
    EXPECT_EQ(run.console(), want);
    if (english) {
      EXPECT_EQ(run.console()[0].size(), 38u);
    }
    EXPECT_TRUE(run.report().empty());
  }
}

TEST(CalcKinshipByYear, NoYearsWritesNothing) {
  animal_table animal;
  add(animal, 0, 0, 1, 2005);
  captured_run run;
  year_table<float> yi, ys;
  calc_kinship_by_year(run.ctx, animal, 0, 2005, yi, ys);
  calc_kinship_by_year(run.ctx, animal, -3, 2005, yi, ys);
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
  // 2000: three founders of no subpopulation: nothing.
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(t.subpop(1, c), 0.0f);
  EXPECT_EQ(t.subpop(2, 1), 0.0f);
  EXPECT_EQ(t.subpop(2, 2), 0.25f);   // full sibs: 0.5, halved
  EXPECT_EQ(t.subpop(2, 4), 0.25f);
  EXPECT_EQ(t.subpop(2, 5), 0.0f);    // C has one animal: its columns stay 0
  EXPECT_EQ(t.subpop(2, 6), 0.0f);
  EXPECT_EQ(t.subpop(2, 7), 0.125f);  // (A, B): half sibs, 0.25 halved
  EXPECT_EQ(t.subpop(2, 8), 0.0f);    // (A, C): unrelated, nc = 1
  EXPECT_EQ(t.subpop(2, 9), 0.0f);    // (B, C)

  // The first of three subpopulations has one animal: its pairs stay 0 and
  // the pair (2, 3) goes to column 9.
  animal_table three;
  std::int32_t f = add(three, 0, 0, 1, 2000), g = add(three, 0, 0, 2, 2000);
  add(three, f, g, 1, 2001, "X");
  add(three, f, g, 1, 2001, "Y");
  add(three, f, g, 2, 2001, "Y");
  add(three, f, g, 1, 2001, "Z");
  add(three, 0, 0, 2, 2001, "Z");
  kinship_reference::tabular_inbreeding(three);
  captured_run run3;
  set_subpops(run3.ctx.cfg, {"X", "Y", "Z"});
  t = run_kinship(run3, three, 2, 2000);
  EXPECT_EQ(t.subpop(2, 7), 0.0f);
  EXPECT_EQ(t.subpop(2, 8), 0.0f);
  EXPECT_EQ(t.subpop(2, 9), 0.125f);  // (2 x 0.5 + 2 x 0) / 4, halved
  EXPECT_EQ(t.subpop(2, 4), 0.25f);
  EXPECT_EQ(t.subpop(2, 6), 0.0f);

  // A code listed twice: both subpopulations get the same values.
  captured_run twice;
  set_subpops(twice.ctx.cfg, {"A", "B", "A"});
  t = run_kinship(twice, animal, 2, 2000);
  EXPECT_EQ(t.subpop(2, 5), 0.0f);
  EXPECT_EQ(t.subpop(2, 6), 0.25f);
  EXPECT_EQ(t.subpop(2, 2 * 3 + 2), 0.375f);  // (A, A'): every pair of the two, self included
  EXPECT_EQ(t.subpop(2, 2 * 3 + 1), t.subpop(2, 2 * 3 + 3));

  // Two subpopulations of two unrelated founders each: all 0.
  animal_table founders;
  for (const char* code : {"P", "P", "Q", "Q"}) add(founders, 0, 0, 1, 2000, code);
  captured_run run4;
  set_subpops(run4.ctx.cfg, {"P", "Q"});
  t = run_kinship(run4, founders, 1, 2000);
  for (int c = 1; c <= 5; ++c) EXPECT_EQ(t.subpop(1, c), 0.0f);
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
  std::int32_t n_blocks = 0;
  // 72000 animals: 2 parts, target 36000.
  std::vector<int> months(72000);
  for (std::size_t i = 0; i < months.size(); ++i) months[i] = 1 + static_cast<int>(i % 12);
  std::vector<std::int32_t> b = blocks(months, 40000, n_blocks);
  EXPECT_EQ(n_blocks, 2);
  EXPECT_EQ(std::count(b.begin(), b.end(), 1), 36000);
  // 120000 animals: 4 parts, target 30000; three months a part, the last takes the rest.
  months.assign(120000, 0);
  for (std::size_t i = 0; i < months.size(); ++i) months[i] = 1 + static_cast<int>(i % 12);
  b = blocks(months, 40000, n_blocks);
  EXPECT_EQ(n_blocks, 4);
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(std::count(b.begin(), b.end(), p), 30000);
  EXPECT_EQ(b[11], 4);
  // Every animal born in month 1: part 1 holds them all.
  months.assign(80000, 1);
  b = blocks(months, 40000, n_blocks);
  EXPECT_EQ(n_blocks, 3);
  EXPECT_EQ(std::count(b.begin(), b.end(), 1), 80000);
  // Months 1 to 6 only (in small: parts of 4, 13 animals, target 4).
  b = blocks({1, 1, 2, 3, 3, 3, 4, 5, 5, 6, 6, 6, 6}, 4, n_blocks);
  EXPECT_EQ(n_blocks, 4);
  EXPECT_EQ(b, (std::vector<std::int32_t>{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 4}));
  // One part (fewer animals than a part): all in part 1.
  b = blocks({3, 9, 12}, 40000, n_blocks);
  EXPECT_EQ(n_blocks, 1);
  EXPECT_EQ(b, (std::vector<std::int32_t>{1, 1, 1}));
}

}  // namespace
}  // namespace veldmarsh

namespace veldmarsh {
namespace {

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
      EXPECT_EQ(console[2], " compute kinships for year        2000");
      EXPECT_EQ(console[3], " number in year =        75000");
      EXPECT_EQ(console[4], " year split in            2 parts for computing kinships ");
      EXPECT_EQ(console[4].size(), 57u);
      EXPECT_EQ(console[5], " part number            1  with        40000 individuals ");
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
    // A split year has no subpopulation row.
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(t.subpop(2, c), 0.0f);

    std::vector<std::string> report = run.report();
    const std::string underline = " " + std::string(64, '_');
    std::vector<std::string> want_head =
        english ? std::vector<std::string>{"            ", " " "           INBREEDING year    " "        2000", underline,
                                           "  Part  # of        F       f       f       f       f     f    ",
                                           "   of   new        all    incl.   excl. parents fathers mothers",
                                           "  year  born    animals   self    self        ", underline}
                : std::vector<std::string>{"            ", " " "           INTEELT jaar    " "        2000", underline,
                                           "  deel.    #        F       f       f       f       f     f    ",
                                           "  van    nwe      alle    incl.   excl.   ouders  vaders moeders         ",
                                           "  jaar   dieren  dieren   zelf    zelf                       ", underline};
    ASSERT_EQ(report.size(), 11u);
    for (std::size_t i = 0; i < want_head.size(); ++i) EXPECT_EQ(report[i], want_head[i]) << i;
    if (english) {
      EXPECT_EQ(report[1].size(), 43u);
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
