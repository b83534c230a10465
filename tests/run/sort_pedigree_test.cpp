// The pedigree sort: the placement order against the sweeps done one by one
// (every sweep scans every row) on random tables in any row order, with and
// without loops, and on worked tables; and moving an animal after its
// parents. The console and report lines of the sort are held end to end.
#include "run/sort_pedigree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "support/captured_run.h"
#include "support/pedigrees.h"

namespace veldmarsh {
namespace {

// The sweeps as described: each scans the rows from the last to the first
// and places every unplaced animal without unplaced offspring at the end of
// the free part of the table, counting down its parents' unplaced
// offspring; sweeps go on while they place an animal.
bool slow_sort_order(const animal_table& t, std::vector<std::int32_t>& order, std::vector<char>& placed) {
  const std::int64_t n = t.size();
  std::vector<std::int32_t> count(static_cast<std::size_t>(n) + 1);
  for (std::int64_t i = 1; i <= n; ++i) count[i] = t[i].n_offspring;
  order.assign(count.size(), 0);
  placed.assign(count.size(), 0);
  std::int64_t next = n;
  for (bool any = true; any;) {
    any = false;
    for (std::int64_t i = n; i >= 1; --i) {
      if (placed[i] || count[i] != 0) continue;
      placed[i] = 1;
      order[next--] = static_cast<std::int32_t>(i);
      any = true;
      for (std::int32_t p : {t[i].sire_nr, t[i].dam_nr})
        if (p != 0) --count[p];
    }
  }
  return next == 0;
}

// Rows named by the letters of `ids`, parents by row; offspring counted from
// the links unless given.
animal_table raw_table(std::string_view ids, const std::vector<std::pair<int, int>>& parents,
                       std::vector<int> offspring = {}) {
  std::vector<testing::animal_spec> specs;
  for (auto [sire, dam] : parents) specs.push_back({sire, dam});
  animal_table t = testing::table_of(specs);
  for (std::size_t i = 1; i <= ids.size(); ++i) {
    set_text(t, t[i].herdbook_nr, ids.substr(i - 1, 1));
    if (!offspring.empty()) t[i].n_offspring = offspring[i - 1];
    for (std::int32_t p : {t[i].sire_nr, t[i].dam_nr})
      if (p != 0 && offspring.empty()) ++t[p].n_offspring;
  }
  return t;
}

std::string ids_in_order(const animal_table& t) {
  std::string out;
  for (std::int64_t i = 1; i <= t.size(); ++i) out += trimmed_text_of(t.texts, t[i].herdbook_nr);
  return out;
}

TEST(SortPedigree, WorkedOrders) {
  const std::pair<animal_table, std::string> cases[] = {
      {raw_table("ABC", {{0, 0}, {3, 1}, {0, 0}}), "CAB"},
      {raw_table("ABCD", {{0, 0}, {0, 0}, {1, 2}, {1, 3}}), "ABCD"},
      {raw_table("ABCSD", {{4, 5}, {4, 1}, {2, 0}, {0, 0}, {0, 0}}), "SDABC"},  // parents listed last move first
      {raw_table("OHK", {{2, 2}, {0, 0}, {0, 2}}), "HOK"},                       // H both sire and dam of O
  };
  for (auto [t, order] : cases) {
    testing::captured_channels<false> run;
    sort_pedigree(run.ctx, t);
    EXPECT_EQ(ids_in_order(t), order);
    for (std::int64_t i = 1; i <= t.size(); ++i) {
      EXPECT_EQ(t[i].nr, i);
      EXPECT_LT(t[i].sire_nr, i);
      EXPECT_LT(t[i].dam_nr, i);
    }
  }
}

TEST(SortPedigree, PlacementEqualsTheSweepsOneByOne) {
  std::mt19937 rng(20261205);
  int sorted = 0, loops = 0;
  // A count of unplaced offspring that falls below 0 (K's sire A is counted
  // as having none): A is never placed and the sort ends.
  animal_table below_zero = raw_table("KAGCH", {{3, 0}, {0, 0}, {5, 0}, {2, 0}, {0, 0}}, {0, 0, 1, 0, 1});
  for (int round = 0; round <= 240; ++round) {
    animal_table t = below_zero;
    if (round < 240) {
      // A random pedigree, some with links to later animals (possible
      // loops), in its own row order, reversed or shuffled.
      const int n = round < 40 ? round : 20 + static_cast<int>(rng() % 1500);
      animal_table made = testing::random_pedigree(rng, n, 20);
      for (int k = 0; k < (round % 4 == 3 ? 1 + round % 3 : 0) && n > 1; ++k)
        (rng() % 2 ? made[1 + rng() % n].sire_nr : made[1 + rng() % n].dam_nr) = 1 + static_cast<std::int32_t>(rng() % n);
      std::vector<std::int32_t> row_of(static_cast<std::size_t>(n) + 1);
      std::iota(row_of.begin(), row_of.end(), 0);
      if (round % 3 == 1) std::reverse(row_of.begin() + 1, row_of.end());
      if (round % 3 == 2) std::shuffle(row_of.begin() + 1, row_of.end(), rng);
      t.rows.assign(static_cast<std::size_t>(n) + 1, new_animal_record());
      t.texts = made.texts;
      for (int c = 1; c <= n; ++c) {
        animal_record& r = t[row_of[c]];
        r = made[c];
        r.nr = row_of[c];
        r.sire_nr = row_of[r.sire_nr];
        r.dam_nr = row_of[r.dam_nr];
        r.n_offspring = 0;
        set_text(t, r.herdbook_nr, "C" + std::to_string(c));
      }
      for (int i = 1; i <= n; ++i)
        for (std::int32_t p : {t[i].sire_nr, t[i].dam_nr})
          if (p != 0) ++t[p].n_offspring;
    }
    std::vector<std::int32_t> order, want_order;
    std::vector<char> placed, want_placed;
    testing::captured_channels<false> run(round % 2 == 0);
    const bool complete = find_sort_order(run.ctx, t, order, placed);
    ASSERT_EQ(complete, slow_sort_order(t, want_order, want_placed)) << "round " << round;
    ASSERT_EQ(placed, want_placed) << "round " << round;
    ASSERT_EQ(order, want_order) << "round " << round;
    if (!complete) {
      ++loops;
      continue;
    }
    // Renumbered: every parent before its young, the links naming the same animals.
    const animal_table before = t;
    reorder_and_renumber(t, order);
    for (std::int64_t k = 1; k <= t.size(); ++k) {
      const animal_record& was = before[order[k]];
      ASSERT_TRUE(t[k].herdbook_nr == was.herdbook_nr && t[k].nr == k);
      ASSERT_LT(t[k].sire_nr, k);
      ASSERT_LT(t[k].dam_nr, k);
      ASSERT_EQ(t[k].sire_nr == 0 ? "0" : trimmed_text_of(t.texts, t[t[k].sire_nr].herdbook_nr), was.sire_nr == 0 ? "0" : trimmed_text_of(before.texts, before[was.sire_nr].herdbook_nr));
      ASSERT_EQ(t[k].dam_nr == 0 ? "0" : trimmed_text_of(t.texts, t[t[k].dam_nr].herdbook_nr), was.dam_nr == 0 ? "0" : trimmed_text_of(before.texts, before[was.dam_nr].herdbook_nr));
    }
    ++sorted;
  }
  EXPECT_GT(sorted, 150);
  EXPECT_GT(loops, 5);
}

TEST(MoveAfterParents, MovesTheAnimalBehindItsLaterParent) {
  // Row 2 has its sire in row 4; row 5 is the young of rows 2 and 3.
  animal_table t = raw_table("ABCDE", {{0, 0}, {4, 1}, {0, 0}, {0, 0}, {2, 3}});
  move_after_parents(t, 2);
  EXPECT_EQ(ids_in_order(t), "ACDBE");
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(t[i].nr, i);
  const std::vector<std::pair<std::int32_t, std::int32_t>> want = {{0, 0}, {0, 0}, {0, 0}, {3, 1}, {4, 2}};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(std::make_pair(t[i].sire_nr, t[i].dam_nr), want[i - 1]) << i;
  // A parent before the animal, no parents, or no such row: nothing moves.
  for (std::int64_t row : {4, 2, 9}) move_after_parents(t, row);
  EXPECT_EQ(ids_in_order(t), "ACDBE");
}

}  // namespace
}  // namespace veldmarsh
