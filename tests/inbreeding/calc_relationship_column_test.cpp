// One column of the relationship matrix: worked pedigrees, parent numbers
// beyond the column, and random pedigrees against the tabular matrix.
#include "inbreeding/calc_relationship_column.h"

#include <gtest/gtest.h>

#include "support/captured_run.h"
#include "support/pedigrees.h"

namespace veldmarsh {
namespace {

// The column of j over animals 1..n; parents by number, F as stored.
std::vector<double> column_of(const std::vector<parent_numbers>& parents, std::int32_t n, std::int32_t j,
                              const std::vector<double>& f = {}, output_channel* console = nullptr) {
  std::vector<parent_numbers> ped = {{0, 0}};
  ped.insert(ped.end(), parents.begin(), parents.end());
  std::vector<double> f8(ped.size(), 0.0), column(ped.size(), -7.0);
  std::copy(f.begin(), f.end(), f8.begin() + 1);
  output_channel quiet;
  calc_relationship_column(console != nullptr ? *console : quiet, column, ped, n, j, f8);
  return column;
}

TEST(CalcRelationshipColumn, WorkedPedigrees) {
  // Founders 1 and 2 unless a case says otherwise; {column, n, j, F}.
  const std::vector<parent_numbers> two_founders = {{0, 0}, {0, 0}};
  auto with = [&](std::vector<parent_numbers> more) {
    more.insert(more.begin(), two_founders.begin(), two_founders.end());
    return more;
  };
  // A founder alone; one known founder parent (0.25 + 0.75 on the diagonal).
  EXPECT_EQ(column_of(with({{0, 0}}), 3, 3), (std::vector<double>{-7, 0, 0, 1}));
  EXPECT_EQ(column_of(with({{1, 0}}), 3, 3), (std::vector<double>{-7, 0.5, 0, 1}));
  // Full sibs; a young of parent 1 and its own young 3: 1 + F = 1.25.
  EXPECT_EQ(column_of(with({{1, 2}, {1, 2}}), 4, 4), (std::vector<double>{-7, 0.5, 0.5, 0.5, 1}));
  EXPECT_EQ(column_of(with({{1, 2}, {1, 3}}), 4, 4), (std::vector<double>{-7, 0.75, 0.25, 0.75, 1.25}));
  // n beyond j: a young of j and an unrelated mate gets half of j's entry.
  EXPECT_EQ(column_of(with({{1, 2}, {0, 0}, {3, 4}}), 5, 3), (std::vector<double>{-7, 0.5, 0.5, 1, 0, 0.5}));
  // Parents of stored F 0.5 and 0.25: the young's own Mendelian sampling is
  // 0.5 - (0.5 + 0.25) / 4 on top of half of each parent's entry.
  EXPECT_EQ(column_of(with({{1, 2}}), 3, 3, {0.5, 0.25, 0})[3], 0.5 + (0.5 - 0.25 * 0.75));
}

TEST(CalcRelationshipColumn, ParentNumbersBeyondTheColumnAreReportedAndSkipped) {
  testing::captured_channels<false> run;
  // Animal 3 names sire 7 and dam 9 in a column of n = 3.
  EXPECT_EQ(column_of({{0, 0}, {0, 0}, {7, 9}}, 3, 3, {}, &run.ctx.console), (std::vector<double>{-7, 0, 0, 1}));
  EXPECT_EQ(run.console(), (std::vector<std::string>{" sire larger then nPed           3           7",
                                                     "           3           9",
                                                     " dam larger then nPed           3           9"}));
  // Below j the down pass reads such a parent as unknown, silently.
  testing::captured_channels<false> quiet;
  EXPECT_EQ(column_of({{0, 0}, {0, 0}, {7, 2}}, 3, 2, {}, &quiet.ctx.console)[3], 0.5);
  EXPECT_TRUE(quiet.console().empty());
}

TEST(CalcRelationshipColumn, EqualsTheTabularMatrixOnRandomPedigrees) {
  std::mt19937 rng(17);
  for (int round = 0; round < 40; ++round) {
    const int n = 1 + static_cast<int>(rng() % 120);
    animal_table animal = testing::random_pedigree(rng, n, 5);
    testing::set_tabular_inbreeding(animal);
    const std::vector<std::vector<double>> a = testing::tabular_relationships(animal);
    std::vector<parent_numbers> parents;
    std::vector<double> f;
    for (int i = 1; i <= n; ++i) {
      parents.push_back({animal[i].sire_nr, animal[i].dam_nr});
      f.push_back(animal[i].inbreeding);
    }
    for (int trial = 0; trial < 5; ++trial) {
      const int j = 1 + static_cast<int>(rng() % n), cut = j + static_cast<int>(rng() % (n - j + 1));
      const std::vector<double> c = column_of(parents, cut, j, f);
      for (int i = 1; i <= cut; ++i) ASSERT_NEAR(c[i], a[i][j], 1e-6) << "round " << round << " i " << i << " j " << j;
    }
  }
}

}  // namespace
}  // namespace veldmarsh
