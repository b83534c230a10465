// The pedigree sort: worked orders, and on random pedigrees the order, console
// and report lines of a slow version of the sweeps.
#include "run/sort_pedigree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "pedigree_test_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using testing_support::linked_table;
using testing_support::numbered;

std::vector<std::string> ids_in_order(const animal_table& t) {
  std::vector<std::string> out;
  for (std::int64_t i = 1; i <= t.size(); ++i) out.emplace_back(trimmed_text_of(t.texts, t[i].herdbook_nr));
  return out;
}

// An unlinked table: row i is the animal named by letter i, with the given
// parent rows and offspring count.
animal_table raw_table(std::string_view ids, std::vector<int> sire, std::vector<int> dam, std::vector<int> offspring) {
  animal_table t;
  t.rows.assign(ids.size() + 1, new_animal_record());
  for (std::size_t i = 1; i <= ids.size(); ++i) {
    set_text(t, t[i].herdbook_nr, ids.substr(i - 1, 1));
    t[i].nr = static_cast<std::int32_t>(i);
    t[i].sire_nr = sire[i - 1];
    t[i].dam_nr = dam[i - 1];
    t[i].n_offspring = offspring[i - 1];
  }
  return t;
}

// The sweeps the slow way: every sweep scans every row from the last
// to the first. Writes the same console and report lines as the sort.
struct slow_result {
  bool complete = false;
  std::vector<std::int32_t> sort_order;
  std::vector<char> placed;
};
void slow_birth_check(run_context& ctx, const animal_table& t, std::int64_t i, std::int64_t p, bool sire) {
  const animal_record& y = t[i];
  const animal_record& a = t[p];
  if (y.birth_year == 0 || y.birth_year >= a.birth_year) return;
  bool en = ctx.cfg.english;
  const fixed_text<50> y_id = text_of(t, y.herdbook_nr), a_id = text_of(t, a.herdbook_nr);
  write_free_line(ctx.console, {en ? "animal " : "dier ", text_of(t, y.name)});
  write_free_line(ctx.console, {en ? "herdbook number " : "stamboeknummer ", y_id});
  write_free_line(ctx.console, {en ? "date of birth " : "geboortedatum ", y.birth_day, "/", y.birth_month, "/", y.birth_year});
  write_free_line(ctx.console, {sire ? (en ? "!!!!!!!!!! BORN BEFORE FATHER  !!!!!!!!!!" : "!!!!!!!!!! GEBOREN VOOR VADER  !!!!!!!!!!")
                                     : (en ? "!!!!!!!!!! BORN BEFORE MOTHER  !!!!!!!!!!" : "!!!!!!!!!! GEBOREN VOOR MOEDER  !!!!!!!!!!")});
  write_free_line(ctx.console, {sire ? (en ? "father " : "vader ") : (en ? "mother " : "moeder "), text_of(t, a.name)});
  write_free_line(ctx.console, {en ? "herdbook number " : "stamboeknummer ", a_id});
  write_free_line(ctx.console, {en ? "date of birth " : "geboortedatum ", a.birth_day, "/", a.birth_month, "/", a.birth_year});
  write_free_line(ctx.console, {"   "});
  write_fixed_line(ctx.report, sire ? "(A50,A1,I4,A1,I2,A1,I2,A1,A50,A1,I4,A1,I2,A1,I2)" : "(A50,A1,I4,A1,I2,A1,I2,A62,A50,A1,I4,A1,I2,A1,I2)",
                   {y_id, " ", y.birth_year, "/", y.birth_month, "/", y.birth_day, " ", a_id, " ",
                    a.birth_year, "/", a.birth_month, "/", a.birth_day});
}
slow_result slow_sort(run_context& ctx, const animal_table& t) {
  const std::int64_t n = t.size();
  bool en = ctx.cfg.english;
  slow_result r;
  std::vector<std::int32_t> count(n + 1);
  for (std::int64_t i = 1; i <= n; ++i) count[i] = t[i].n_offspring;
  r.placed.assign(n + 1, 0);
  r.sort_order.assign(n + 1, 0);
  std::int64_t next = n;
  for (std::int64_t sweep = 1;; ++sweep) {
    std::int64_t c0 = 0, c1 = 0, done = 0;
    std::vector<free_item> negatives;
    for (std::int64_t i = 1; i <= n; ++i) {
      if (r.placed[i]) { ++done; continue; }
      if (count[i] == 0) ++c0;
      if (count[i] > 0) ++c1;
      if (count[i] < 0) negatives.emplace_back(static_cast<int>(t[i].nr));
    }
    write_free_line(ctx.console, {en ? "sweep" : "ronde", sweep, en ? "number of animals without unsorted offspring" : "aantal dieren zonder ongesorteerde nakomelingen", c0});
    write_free_line(ctx.console, {en ? "sweep" : "ronde", sweep, en ? "number of animals with unsorted offspring" : "aantal dieren met ongesorteerde nakomelingen", c1});
    if (c1 > 0) {
      if (negatives.empty()) negatives.emplace_back("");
      write_free_line(ctx.console, std::span<const free_item>(negatives));
    }
    write_free_line(ctx.console, {"no. sorted", done, "last =", next});
    for (std::int64_t i = n; i >= 1; --i) {
      if (count[i] != 0 || r.placed[i]) continue;
      r.placed[i] = 1;
      r.sort_order[next--] = static_cast<std::int32_t>(i);
      if (t[i].sire_nr != 0) {
        slow_birth_check(ctx, t, i, t[i].sire_nr, true);
        --count[t[i].sire_nr];
      }
      if (t[i].dam_nr != 0) {
        slow_birth_check(ctx, t, i, t[i].dam_nr, false);
        --count[t[i].dam_nr];
      }
    }
    if (en)
      write_free_line(ctx.console, {"animals with a maximum of ", sweep - 1, " generations of offspring placed at end of pedigree"});
    else
      write_free_line(ctx.console, {"dieren met maximaal ", sweep - 1, " generaties nakomelingen achteraan pedigree geplaatst"});
    bool all = true, stuck = true;
    for (std::int64_t i = 1; i <= n; ++i)
      if (!r.placed[i]) {
        all = false;
        if (count[i] <= 0) stuck = false;
      }
    if (all) {
      write_free_line(ctx.console, {"pedigree sorted"});
      r.complete = true;
      return r;
    }
    if (stuck) return r;
  }
}

// A random pedigree: animals created in order with parents among the earlier
// ones (sometimes unknown, sometimes the same animal on both sides), birth
// years that mostly follow the generations, a few links to later animals
// (possible loops), and a table order that is kept, reversed or shuffled.
animal_table random_pedigree(std::mt19937& rng, int n, int order_kind, int back_links) {
  std::uniform_real_distribution<double> u(0, 1);
  std::vector<int> sire(n, -1), dam(n, -1), year(n, 0);
  for (int c = 0; c < n; ++c) {
    year[c] = u(rng) < 0.1 ? 0 : 1980 + c * 30 / std::max(n, 1) + static_cast<int>(u(rng) * 7) - 3;
    auto earlier = [&] {
      int lo = u(rng) < 0.7 ? std::max(0, c - 40) : 0;
      return lo + static_cast<int>(u(rng) * (c - lo));
    };
    if (c > 0 && u(rng) < 0.85) sire[c] = earlier();
    if (c > 0 && u(rng) < 0.85) dam[c] = u(rng) < 0.03 && sire[c] >= 0 ? sire[c] : earlier();
  }
  for (int k = 0; k < back_links && n > 1; ++k) {
    int c = static_cast<int>(u(rng) * n), later = static_cast<int>(u(rng) * n);
    (u(rng) < 0.5 ? sire[c] : dam[c]) = later;
  }
  std::vector<int> row_of(n);  // creation index -> table row (1-based)
  std::iota(row_of.begin(), row_of.end(), 1);
  if (order_kind == 1) std::reverse(row_of.begin(), row_of.end());
  if (order_kind == 2) std::shuffle(row_of.begin(), row_of.end(), rng);
  animal_table t;
  t.rows.assign(n + 1, new_animal_record());
  for (int c = 0; c < n; ++c) {
    animal_record& a = t[row_of[c]];
    set_text(t, a.herdbook_nr, numbered("C", c));
    set_text(t, a.name, numbered("animal ", c));
    a.birth_year = year[c];
    a.birth_month = 1 + c % 12;
    a.birth_day = 1 + c % 28;
    a.nr = row_of[c];
    a.sire_nr = sire[c] >= 0 ? row_of[sire[c]] : 0;
    a.dam_nr = dam[c] >= 0 ? row_of[dam[c]] : 0;
  }
  for (int r = 1; r <= n; ++r) {
    if (t[r].sire_nr) ++t[t[r].sire_nr].n_offspring;
    if (t[r].dam_nr) ++t[t[r].dam_nr].n_offspring;
  }
  return t;
}

// Worked orders; their console and report lines are checked end to end and
// against the slow sweeps below.
TEST(SortPedigree, WorkedOrders) {
  struct order_case {
    std::vector<testing_support::row_spec> rows;
    std::vector<std::string> order;
  };
  const order_case cases[] = {
      {{{"A", "0", "0", 0}, {"B", "C", "A", 0}, {"C", "0", "0", 0}}, {"C", "A", "B"}},
      {{{"A", "0", "0", 0}, {"B", "0", "0", 0}, {"C", "A", "B", 0}, {"D", "A", "C", 0}}, {"A", "B", "C", "D"}},
      // appended parents S and D move to the front
      {{{"A", "S", "D", 0}, {"B", "S", "A", 0}, {"C", "B", "0", 0}, {"S", "0", "0", 0}, {"D", "0", "0", 0}},
       {"S", "D", "A", "B", "C"}},
      // H is both sire and dam of O
      {{{"O", "H", "H", 0}, {"H", "0", "0", 0}, {"K", "0", "H", 0}}, {"H", "O", "K"}},
  };
  for (const order_case& c : cases) {
    captured_run run;
    animal_table t = linked_table(c.rows);
    animal_table before = t;
    sort_pedigree(run.ctx, t);
    EXPECT_EQ(ids_in_order(t), c.order);
    for (std::int64_t i = 1; i <= t.size(); ++i) {
      EXPECT_EQ(t[i].nr, i);
      for (auto [nr, was] : {std::pair{t[i].sire_nr, &animal_record::sire_id}, {t[i].dam_nr, &animal_record::dam_id}})
        EXPECT_EQ(nr == 0 ? std::string("0") : std::string(trimmed_text_of(t.texts, t[nr].herdbook_nr)),
                  trimmed_text_of(t.texts, t[i].*was));
    }
    EXPECT_EQ(run.console().back(), " pedigree sorted and renumbered");
  }
}

TEST(SortPedigree, OrderEqualsTheSlowSweepsOnRandomPedigrees) {
  std::mt19937 rng(20261205);
  int compared = 0, loops = 0;
  for (int round = 0; round < 240; ++round) {
    int n = round < 40 ? round : 20 + static_cast<int>(rng() % 1500);
    int order_kind = round % 3;
    int back_links = round % 4 == 3 ? 1 + round % 3 : 0;
    bool english = round % 2 == 0;
    animal_table t = random_pedigree(rng, n, order_kind, back_links);
    captured_run slow_run(english), run(english);
    slow_result expected = slow_sort(slow_run.ctx, t);
    std::vector<std::int32_t> sort_order;
    std::vector<char> placed;
    bool complete = find_sort_order(run.ctx, t, sort_order, placed);
    ASSERT_EQ(complete, expected.complete) << "round " << round;
    ASSERT_EQ(placed, expected.placed) << "round " << round;
    ASSERT_EQ(sort_order, expected.sort_order) << "round " << round;
    ASSERT_EQ(run.console(), slow_run.console()) << "round " << round;
    ASSERT_EQ(run.report(), slow_run.report()) << "round " << round;
    if (!complete) {
      ++loops;
      continue;
    }
    animal_table before = t;
    reorder_and_renumber(t, sort_order);
    for (std::int64_t k = 1; k <= n; ++k) {
      const animal_record& a = t[k];
      const animal_record& was = before[expected.sort_order[k]];
      ASSERT_TRUE(a.herdbook_nr == was.herdbook_nr);
      ASSERT_EQ(a.nr, k);
      ASSERT_LT(a.sire_nr, k);
      ASSERT_LT(a.dam_nr, k);
      // The links still name the same parents.
      ASSERT_EQ(a.sire_nr == 0, was.sire_nr == 0);
      if (a.sire_nr != 0) {
        ASSERT_TRUE(t[a.sire_nr].herdbook_nr == before[was.sire_nr].herdbook_nr);
      }
      if (a.dam_nr != 0) {
        ASSERT_TRUE(t[a.dam_nr].herdbook_nr == before[was.dam_nr].herdbook_nr);
      }
    }
    ++compared;
  }
  EXPECT_GT(compared, 150);
  EXPECT_GT(loops, 5);
}

TEST(SortPedigree, LongChainOfParentsListedAfterTheirYoungIsNotQuadratic) {
  // Row i's sire is row i + 1: one sweep per generation.
  const int n = 20000;
  animal_table t;
  t.rows.assign(n + 1, new_animal_record());
  for (int i = 1; i <= n; ++i) {
    set_text(t, t[i].herdbook_nr, numbered("G", i));
    t[i].nr = i;
    t[i].sire_nr = i < n ? i + 1 : 0;
    t[i].n_offspring = i > 1 ? 1 : 0;
  }
  captured_run run;
  auto start = std::chrono::steady_clock::now();
  sort_pedigree(run.ctx, t);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 2.0);
  for (int i = 1; i <= n; ++i) ASSERT_EQ(trimmed_text_of(t.texts, t[i].herdbook_nr), numbered("G", n + 1 - i));
  std::vector<std::string> lines = run.console();
  EXPECT_EQ(lines[lines.size() - 4], " animals with a maximum of        19999");
}

TEST(SortPedigree, CountsBelowZeroAreListedAndEndTheSort) {
  // Rows: K (sire G), A (count 0 but sire of C), G (sire H), C (sire A), H.
  animal_table t = raw_table("KAGCH", {3, 0, 5, 2, 0}, {0, 0, 0, 0, 0}, {0, 0, 1, 0, 1});
  captured_run run;
  std::vector<std::int32_t> sort_order;
  std::vector<char> placed;
  EXPECT_FALSE(find_sort_order(run.ctx, t, sort_order, placed));
  EXPECT_EQ(placed, (std::vector<char>{0, 1, 0, 1, 1, 1}));
  std::vector<std::string> lines = run.console();
  // Sweep 2 lists A, whose count fell below 0; after sweep 3 no animal is
  // left that could be placed, and no further sweep is made.
  EXPECT_EQ(lines[6], " sweep           2 number of animals without unsorted offspring           1");
  EXPECT_EQ(lines[7], " sweep           2 number of animals with unsorted offspring           1");
  EXPECT_EQ(lines[8], "           2");
  EXPECT_EQ(lines.back(), "  generations of offspring placed at end of pedigree");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind(" sweep", 0) == 0; }), 6);
}

TEST(MoveAfterParents, MovesTheAnimalBehindItsLaterParent) {
  // Row 2 has its sire in row 4; row 5 is the young of rows 2 and 3.
  animal_table t = raw_table("ABCDE", {0, 4, 0, 0, 2}, {0, 1, 0, 0, 3}, {0, 0, 0, 0, 0});
  move_after_parents(t, 2);
  EXPECT_EQ(ids_in_order(t), (std::vector<std::string>{"A", "C", "D", "B", "E"}));
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(t[i].nr, i);
  EXPECT_EQ(t[4].sire_nr, 3);  // D
  EXPECT_EQ(t[4].dam_nr, 1);   // A
  EXPECT_EQ(t[5].sire_nr, 4);  // B, moved
  EXPECT_EQ(t[5].dam_nr, 2);   // C, shifted up
  // A parent before the animal, no parents, or no such row: nothing moves.
  for (std::int64_t row : {4, 2, 9}) move_after_parents(t, row);
  EXPECT_EQ(ids_in_order(t), (std::vector<std::string>{"A", "C", "D", "B", "E"}));
}

}  // namespace
}  // namespace veldmarsh
