// Pedigree completeness of every animal of random pedigrees against a count
// over its lines of descent (the yearly tables are held end to end).
#include "reports/pedigree_completeness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "common/birth_year_groups.h"
#include "support/captured_run.h"
#include "support/pedigrees.h"

namespace veldmarsh {
namespace {

using memo = std::map<std::pair<std::int32_t, int>, double>;  // (animal, generation or depth) -> result

// Equivalent generations: the sum over every known ancestor, once per line
// of descent, of 1/2 to the power of its generation.
double lines_of_descent(const animal_table& t, std::int32_t i, int generation, memo& done) {
  if (i == 0) return 0.0;
  auto [at, fresh] = done.try_emplace({i, generation}, 0.0);
  if (fresh)
    at->second = (generation == 0 ? 0.0 : std::ldexp(1.0, -generation)) +
                 lines_of_descent(t, t[i].sire_nr, generation + 1, done) + lines_of_descent(t, t[i].dam_nr, generation + 1, done);
  return at->second;
}

// 1 when every ancestor up to `depth` generations back is known, else 0.
double known_to_depth(const animal_table& t, std::int32_t i, int depth, memo& done) {
  if (depth == 0) return 1.0;
  if (i == 0 || t[i].sire_nr == 0 || t[i].dam_nr == 0) return 0.0;
  auto [at, fresh] = done.try_emplace({i, depth}, 0.0);
  if (fresh) at->second = known_to_depth(t, t[i].sire_nr, depth - 1, done) * known_to_depth(t, t[i].dam_nr, depth - 1, done);
  return at->second;
}

TEST(PedigreeCompleteness, AgreesWithLinesOfDescent) {
  std::mt19937 rng(3);
  for (int round = 0; round < 40; ++round) {
    animal_table t = testing::random_pedigree(rng, 1 + static_cast<int>(rng() % 60), 6);
    for (std::int64_t i = 1; i <= t.size(); ++i) t[i].complete_generations = 99;  // stale values must go
    testing::captured_channels<true> channels;
    completeness_tables c;
    allocate_year_table(c.mean_equiv_generations_by_year, 7, 1);
    allocate_year_table(c.completeness_by_year, 7, 5);
    calc_pedigree_completeness(t, group_by_birth_year(channels.ctx, t, make_year_range(2000, 2006), nullptr), c);
    memo sums, known;
    for (std::int32_t i = 1; i <= t.size(); ++i) {
      EXPECT_NEAR(t[i].equiv_generations, lines_of_descent(t, i, 0, sums), 1e-5);
      int depth = 0;
      while (known_to_depth(t, i, depth + 1, known) != 0.0) ++depth;
      EXPECT_EQ(t[i].complete_generations, depth);
    }
  }
}

}  // namespace
}  // namespace veldmarsh
