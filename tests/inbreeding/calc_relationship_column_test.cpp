// One column of the relationship matrix: the worked pedigrees, the
// parent-number check, and random pedigrees against a tabular matrix.
#include "inbreeding/calc_relationship_column.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "../run/pedigree_test_support.h"
#include "kinship_reference.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;

// The column of j over animals 1..n of a pedigree given as (sire, dam) pairs.
std::vector<double> column_of(const std::vector<parent_numbers>& pairs, std::int32_t n, std::int32_t j,
                              const std::vector<double>& f = {}, captured_run* run = nullptr) {
  std::vector<parent_numbers> ped = {{0, 0}};
  ped.insert(ped.end(), pairs.begin(), pairs.end());
  std::vector<double> f8(ped.size(), 0.0);
  for (std::size_t i = 0; i < f.size(); ++i) f8[i + 1] = f[i];
  std::vector<double> column(ped.size(), -7.0);
  output_channel quiet;
  calc_relationship_column(run ? run->ctx.console : quiet, column, ped, n, j, f8);
  return column;
}

TEST(CalcRelationshipColumn, WorkedPedigrees) {
  struct worked {
    std::vector<parent_numbers> pairs;
    std::int32_t n, j;
    std::vector<double> f;
    std::vector<std::pair<int, double>> want;  // (animal, entry)
  };
  const std::vector<worked> cases = {
      // A founder alone: 1.0 on the diagonal, 0 elsewhere.
      {{{0, 0}, {0, 0}, {0, 0}}, 3, 3, {}, {{1, 0.0}, {2, 0.0}, {3, 1.0}}},
      // One known founder parent: 0.5 with it, 1.0 on the diagonal (0.25 + 0.75).
      {{{0, 0}, {0, 0}, {1, 0}}, 3, 3, {}, {{1, 0.5}, {2, 0.0}, {3, 1.0}}},
      // Full sibs 3 and 4 of founders 1 and 2.
      {{{0, 0}, {0, 0}, {1, 2}, {1, 2}}, 4, 4, {}, {{1, 0.5}, {2, 0.5}, {3, 0.5}, {4, 1.0}}},
      // Parent 1 mated with its own offspring 3 (out of founder 2): 1 + F = 1.25.
      {{{0, 0}, {0, 0}, {1, 2}, {1, 3}}, 4, 4, {0, 0, 0, 0}, {{4, 1.25}, {1, 0.75}, {3, 0.75}}},
      // n beyond j: a descendant of j with an unrelated mate gets half of j's entry.
      {{{0, 0}, {0, 0}, {1, 2}, {0, 0}, {3, 4}}, 5, 3, {}, {{3, 1.0}, {4, 0.0}, {5, 0.5}}}};
  for (const worked& w : cases) {
    std::vector<double> c = column_of(w.pairs, w.n, w.j, w.f);
    for (auto [i, entry] : w.want) EXPECT_EQ(c[static_cast<std::size_t>(i)], entry) << "j " << w.j << " i " << i;
  }
}

TEST(CalcRelationshipColumn, MendelianVarianceUsesTheStoredParentsF) {
  // Founders given F 0.5 and 0.25 (as stored): their young's own
  // Mendelian sampling is 0.5 - 0.25 x 0.75, on top of half of each
  // parent's entry (0.5 each).
  std::vector<double> c = column_of({{0, 0}, {0, 0}, {1, 2}}, 3, 3, {0.5, 0.25, 0.0});
  EXPECT_EQ(c[1], 0.5);
  EXPECT_EQ(c[3], 0.5 + (0.5 - 0.25 * 0.75));
  // One parent known with F 0.5: D = 0.75 - 0.125.
  c = column_of({{0, 0}, {1, 0}}, 2, 2, {0.5, 0.0});
  EXPECT_EQ(c[2], 0.25 + 0.625);
}

TEST(CalcRelationshipColumn, ParentNumbersAboveNAreReportedAndSkipped) {
  captured_run run;
  // Animal 3 names sire 7 and dam 9 in a column of n = 3.
  std::vector<double> c = column_of({{0, 0}, {0, 0}, {7, 9}}, 3, 3, {}, &run);
  EXPECT_EQ(c[3], 1.0);
  EXPECT_EQ(c[1], 0.0);
  std::vector<std::string> lines = run.console();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], " sire larger then nPed           3           7");
  EXPECT_EQ(lines[1], "           3           9");
  EXPECT_EQ(lines[2], " dam larger then nPed           3           9");

  // Below the animal the down pass counts such a parent as unknown: the
  // column of 2 over n = 3 reads animal 3's sire 7 as unknown.
  captured_run quiet;
  c = column_of({{0, 0}, {0, 0}, {7, 2}}, 3, 2, {}, &quiet);
  EXPECT_EQ(c[3], 0.5);
  EXPECT_TRUE(quiet.console().empty());
}

TEST(CalcRelationshipColumn, EqualsTheTabularMatrixOnRandomPedigrees) {
  std::mt19937 rng(17);
  for (int round = 0; round < 40; ++round) {
    int n = 1 + static_cast<int>(rng() % 120);
    animal_table animal = kinship_reference::random_pedigree(rng, n, 2000, 5, {});
    kinship_reference::tabular_inbreeding(animal);
    // Tabular relationships with D from the stored F, as the column uses them.
    std::vector<double> a(static_cast<std::size_t>((n + 1) * (n + 1)), 0.0);
    auto at = [&](int i, int j) -> double& { return a[static_cast<std::size_t>(i * (n + 1) + j)]; };
    std::vector<parent_numbers> pairs;
    std::vector<double> f;
    for (int i = 1; i <= n; ++i) {
      int s = animal[i].sire_nr, d = animal[i].dam_nr;
      pairs.push_back({s, d});
      f.push_back(animal[i].inbreeding);
      for (int j = 1; j < i; ++j) at(i, j) = at(j, i) = 0.5 * ((s ? at(j, s) : 0.0) + (d ? at(j, d) : 0.0));
      double fs = s ? static_cast<double>(animal[s].inbreeding) : 0.0;
      double fd = d ? static_cast<double>(animal[d].inbreeding) : 0.0;
      double mendelian = ((2 + (s == 0) + (d == 0)) - fs - fd) * 0.25;
      at(i, i) = 0.25 * ((s ? at(s, s) : 0.0) + (d ? at(d, d) : 0.0) + 2 * (s && d ? at(s, d) : 0.0)) + mendelian;
    }
    for (int trial = 0; trial < 5; ++trial) {
      int j = 1 + static_cast<int>(rng() % n);
      int cut = j + static_cast<int>(rng() % (n - j + 1));
      std::vector<double> c = column_of(pairs, cut, j, f);
      for (int i = 1; i <= cut; ++i) ASSERT_NEAR(c[i], at(i, j), 1e-12) << "round " << round << " i " << i;
    }
  }
}

}  // namespace
}  // namespace veldmarsh
