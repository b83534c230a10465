// Inbreeding coefficients: worked pedigrees, and every animal of random
// pedigrees against the tabular relationship matrix, for the loop over the
// table (with its full-sib shortcuts) and for one animal or a virtual
// offspring of two.
#include "inbreeding/calc_inbreeding.h"

#include <gtest/gtest.h>

#include "run/main_program.h"
#include "run/run_frame.h"
#include "support/captured_run.h"
#include "support/pedigrees.h"

namespace veldmarsh {
namespace {

using testing::animal_spec;

std::vector<float> coefficients_of(animal_table& animal) {
  testing::captured_channels<false> run;
  calc_inbreeding_coefficients(run.ctx, animal);
  std::vector<float> f;
  for (std::int64_t i = 1; i <= animal.size(); ++i) f.push_back(animal[i].inbreeding);
  return f;
}

TEST(CalcInbreeding, WorkedPedigrees) {
  set_flush_to_zero_mode();
  // Animals 1, 2 and 8 are unrelated founders.
  const std::vector<std::pair<std::vector<animal_spec>, std::vector<float>>> cases = {
      {{{}, {}, {1, 2}, {1, 2},
        {3, 4},   // of full sibs
        {1, 3},   // of a parent and its own young out of an unrelated founder
        {2, 0},   // one parent unknown
        {}, {1, 8},
        {9, 3},   // of half sibs through sire 1
        {2, 2}},  // sire and dam the same founder
       {0, 0, 0, 0, 0.25f, 0.25f, 0, 0, 0, 0.125f, 0.5f}},
      // Full sibs in swapped roles directly below each other, and apart.
      {{{}, {}, {1, 2}, {2, 1}, {3, 4}, {4, 3}, {1, 1}, {3, 4}}, {0, 0, 0, 0, 0.25f, 0.25f, 0.5f, 0.25f}}};
  for (auto [specs, want] : cases) {
    animal_table animal = testing::table_of(specs);
    EXPECT_EQ(coefficients_of(animal), want);
  }
}

TEST(CalcInbreeding, EveryAnimalAgreesWithTheTabularMatrix) {
  set_flush_to_zero_mode();
  std::mt19937 rng(20261205);
  inbreeding_work work;  // one set of work tables for every call
  for (int round = 0; round < 150; ++round) {
    const int n = std::uniform_int_distribution<int>(2, 300)(rng);
    animal_table animal = testing::random_pedigree(rng, n, 10);
    const std::vector<std::vector<double>> a = testing::tabular_relationships(animal);
    const std::vector<float> f = coefficients_of(animal);
    std::vector<parent_pair> pairs(static_cast<std::size_t>(n) + 1);
    std::vector<float> stored(static_cast<std::size_t>(n) + 1, 0.0f);
    for (int i = 1; i <= n; ++i) {
      ASSERT_NEAR(f[i - 1], a[i][i] - 1.0, 2e-6 * a[i][i]) << "round " << round << " animal " << i;
      pairs[i] = {animal[i].sire_nr, animal[i].dam_nr};
      stored[i] = f[i - 1];
    }
    // One animal, or a virtual offspring of two (their kinship), seeing the
    // animals up to m only.
    for (int q = 0; q < 20; ++q) {
      const int m = std::uniform_int_distribution<int>(1, n)(rng);
      const int x = std::uniform_int_distribution<int>(0, m)(rng), y = q % 4 == 0 ? x : std::uniform_int_distribution<int>(0, m)(rng);
      float got = -1.0f;
      calc_inbreeding(x, y, got, m, pairs, stored, work);
      const double want = x == 0 || y == 0 ? 0.0 : x == y ? a[x][x] - 1.0 : 0.5 * a[x][y];
      ASSERT_NEAR(got, want, 2e-6) << "round " << round << ": " << x << " and " << y << " of " << m;
    }
  }
}

}  // namespace
}  // namespace veldmarsh
