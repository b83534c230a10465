// The pedigree loop report: which unsorted animals are clear of a loop,
// against slow passes. Its lines are held end to end.
#include "run/pedigree_loop.h"

#include <gtest/gtest.h>

#include <random>

#include "common/animal_record.h"

namespace veldmarsh {
namespace {

// Clearing the slow way: passes over the list, each comparing a parent with
// every entry, until a pass clears nothing more.
std::vector<char> slow_clear(const animal_table& t, const std::vector<std::int32_t>& unsnrs) {
  std::size_t nu = unsnrs.size();
  std::vector<char> clear(nu);
  for (std::size_t k = 0; k < nu; ++k) clear[k] = t[unsnrs[k]].sire_nr == 0 && t[unsnrs[k]].dam_nr == 0;
  auto side_clear = [&](std::int32_t v) {
    if (v == 0) return true;
    for (std::size_t j = 0; j < nu; ++j)
      if (unsnrs[j] == v && clear[j]) return true;
    return false;
  };
  for (;;) {
    bool changed = false;
    for (std::size_t k = 0; k < nu; ++k)
      if (!clear[k] && side_clear(t[unsnrs[k]].sire_nr) && side_clear(t[unsnrs[k]].dam_nr)) clear[k] = changed = true;
    if (!changed) return clear;
  }
}

TEST(PedigreeLoop, ClearOfLoopEqualsTheSlowPassesOnRandomGraphs) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    int n = 1 + static_cast<int>(rng() % 60);
    animal_table t;
    t.rows.assign(n + 1, new_animal_record());
    for (int i = 1; i <= n; ++i) {
      t[i].nr = i;
      t[i].sire_nr = rng() % 3 == 0 ? 0 : 1 + static_cast<int>(rng() % n);
      t[i].dam_nr = rng() % 3 == 0 ? 0 : 1 + static_cast<int>(rng() % n);
    }
    std::vector<std::int32_t> unsnrs;
    for (int i = 1; i <= n; ++i) unsnrs.push_back(i);
    ASSERT_EQ(find_clear_of_loop(t, unsnrs), slow_clear(t, unsnrs)) << "round " << round;
  }
}

}  // namespace
}  // namespace veldmarsh
