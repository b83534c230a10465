// Pedigree completeness: the worked values, agreement with a count over all
// lines of descent on random pedigrees, and the per-year tables.
#include "reports/pedigree_completeness.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>

#include "support/captured_run.h"

namespace veldmarsh {
namespace {

// Rows give (sire row, dam row, birth year).
struct row { int sire, dam, year; };
animal_table table_of(const std::vector<row>& rows) {
  animal_table t;
  t.rows.push_back(new_animal_record());
  for (const row& r : rows) {
    animal_record a = new_animal_record();
    a.nr = static_cast<int>(t.rows.size());
    a.sire_nr = r.sire;
    a.dam_nr = r.dam;
    a.birth_year = r.year;
    a.equiv_generations = 99.0f;  // stale values must not survive
    a.complete_generations = 99;
    t.rows.push_back(a);
  }
  return t;
}

struct year_shares {
  year_table<float> mean, shares;
};

year_shares run(animal_table& t, std::int64_t n_years, std::int32_t first_year) {
  const year_range years = make_year_range(first_year, static_cast<std::int32_t>(first_year + n_years - 1));
  testing::captured_channels<true> channels;
  completeness_tables c;
  allocate_year_table(c.mean_equiv_generations_by_year, n_years, 1);
  allocate_year_table(c.completeness_by_year, n_years, 5);
  calc_pedigree_completeness(t, group_by_birth_year(channels.ctx, t, years, nullptr), c);
  return {c.mean_equiv_generations_by_year, c.completeness_by_year};
}

TEST(PedigreeCompleteness, WorkedValues) {
  animal_table t = table_of({
      {0, 0, 2000},  // 1 founder
      {0, 0, 2000},  // 2 founder
      {0, 1, 2001},  // 3 only the dam known, a founder
      {1, 2, 2001},  // 4 both parents founders
      {1, 2, 2001},  // 5
      {4, 5, 2003},  // 6 four founder grandparents
      {0, 0, 2000},  // 7
      {6, 7, 2004},  // 8
      {8, 8, 2005},  // 9 complete 2 (8 has 1)
      {9, 9, 2006},  // 10: 3
      {3, 10, 2007}, // 11 sire with 0 complete generations, dam with 3
  });
  run(t, 8, 2000);
  // {animal, equivalent generations (-1: not checked), complete generations}
  const std::vector<std::tuple<int, float, int>> want = {{1, 0.0f, 0}, {3, 0.5f, 0}, {4, 1.0f, 1},
                                                         {6, 2.0f, 2}, {10, -1, 3},  {11, -1, 1}};
  for (auto [i, equiv, complete] : want) {
    if (equiv >= 0) {
      EXPECT_EQ(t[i].equiv_generations, equiv) << i;
    }
    EXPECT_EQ(t[i].complete_generations, complete) << i;
  }
}

// Equivalent generations as the sum over every line of descent of 1/2 to the
// power of the generation; complete generations as the deepest generation in
// which every ancestor is known.
double lines_of_descent(const animal_table& t, int i, int generation) {
  if (i == 0) return 0.0;
  double here = generation == 0 ? 0.0 : std::ldexp(1.0, -generation);
  return here + lines_of_descent(t, t[i].sire_nr, generation + 1) + lines_of_descent(t, t[i].dam_nr, generation + 1);
}
bool known_to_depth(const animal_table& t, int i, int depth) {
  if (depth == 0) return true;
  if (i == 0 || t[i].sire_nr == 0 || t[i].dam_nr == 0) return false;
  return known_to_depth(t, t[i].sire_nr, depth - 1) && known_to_depth(t, t[i].dam_nr, depth - 1);
}

TEST(PedigreeCompleteness, AgreesWithLinesOfDescent) {
  std::mt19937 rng(3);
  for (int trial = 0; trial < 40; ++trial) {
    int n = std::uniform_int_distribution<int>(1, 60)(rng);
    std::vector<row> rows;
    for (int i = 1; i <= n; ++i) {
      auto parent = [&] {
        return i == 1 || rng() % 5 == 0 ? 0 : std::uniform_int_distribution<int>(std::max(1, i - 8), i - 1)(rng);
      };
      rows.push_back({parent(), parent(), 2000 + i / 10});
    }
    animal_table t = table_of(rows);
    run(t, 7, 2000);
    for (int i = 1; i <= n; ++i) {
      EXPECT_NEAR(t[i].equiv_generations, lines_of_descent(t, i, 0), 1e-5);
      int depth = 0;
      while (known_to_depth(t, i, depth + 1)) ++depth;
      EXPECT_EQ(t[i].complete_generations, depth);
    }
  }
}

TEST(PedigreeCompleteness, YearTables) {
  // 2000: four founders; 2001: nothing; 2002: two with complete generation 1
  // and one with a dam only; 2003: one with 6 complete generations is in
  // column 5; birth year 0 is in no row.
  std::vector<row> rows = {{0, 0, 2000}, {0, 0, 2000}, {0, 0, 2000}, {0, 0, 2000},
                           {1, 2, 2002}, {3, 4, 2002}, {0, 4, 2002}, {0, 0, 0}};
  for (int g = 0; g < 6; ++g) rows.push_back({g == 0 ? 5 : 8 + g, g == 0 ? 6 : 8 + g, g == 5 ? 2003 : 0});
  animal_table t = table_of(rows);
  year_shares c = run(t, 4, 2000);
  EXPECT_EQ(t[14].complete_generations, 7);
  EXPECT_EQ(c.mean(1, 1), 0.0f);
  for (int g = 1; g <= 5; ++g) EXPECT_EQ(c.shares(1, g), 0.0f);
  for (int g = 1; g <= 5; ++g) EXPECT_EQ(c.shares(2, g), 0.0f);  // a year without animals
  EXPECT_EQ(c.mean(2, 1), 0.0f);
  EXPECT_EQ(c.mean(3, 1), static_cast<float>((1.0 + 1.0 + 0.5) / 3));
  EXPECT_EQ(c.shares(3, 1), static_cast<float>(2.0 / 3));
  EXPECT_EQ(c.shares(3, 2), 0.0f);
  EXPECT_EQ(c.shares(4, 5), 1.0f);
  EXPECT_EQ(c.shares(4, 4), 0.0f);
}

TEST(PedigreeCompleteness, NoBirthYears) {
  animal_table t = table_of({{0, 0, 0}, {1, 1, 0}});
  year_shares c = run(t, 0, 2147483647);
  EXPECT_EQ(t[2].complete_generations, 1);
  EXPECT_TRUE(c.mean.cells.empty());
}

}  // namespace
}  // namespace veldmarsh
