// Top sires of every year against a slow search (sires enumerated
// from the highest number down, the largest count picked again and again),
// on random pedigrees; then the corner cases and the top male and female.
#include "reports/top_sires.h"

#include <gtest/gtest.h>

#include "../run/pedigree_test_support.h"
#include "yearly_counting_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using testing_support::random_pedigree;

void slow_top_sire_shares(std::span<const animal_record> recs, std::int64_t n_years, std::int32_t first_year,
                          top_sire_tables& t) {
  const std::size_t n = recs.size();
  for (std::int64_t k = 1; k <= n_years; ++k) {
    const std::int32_t y = static_cast<std::int32_t>(first_year + k - 1);
    std::vector<bool> marked(n);
    int nk = 0;
    for (std::size_t i = 0; i < n; ++i) {
      marked[i] = recs[i].birth_year == y;
      nk += marked[i] && recs[i].sire_nr > 0;
    }
    std::vector<std::int32_t> sire_list(n, 0), sire_young(n, 0);
    for (int i = 0; i < nk; ++i) {
      std::int32_t s = 0;
      for (std::size_t j = 0; j < n; ++j)
        if (marked[j] && recs[j].sire_nr > 0) s = std::max(s, recs[j].sire_nr);
      if (s == 0) break;
      t.n_sires_by_year(k, 1) += 1;
      sire_list[i] = s;
      for (std::size_t j = 0; j < n; ++j)
        if (marked[j] && recs[j].sire_nr == s) {
          ++sire_young[i];
          marked[j] = false;
        }
    }
    auto first_max = [&] {
      std::size_t pos = 0;
      for (std::size_t j = 1; j < sire_young.size(); ++j)
        if (sire_young[j] > sire_young[pos]) pos = j;
      return pos;
    };
    t.top_sire_by_year(k, 1) = n == 0 ? 0 : sire_list[first_max()];
    for (int c = 1; c <= 10 && c <= t.n_sires_by_year(k, 1); ++c) {
      const std::size_t pos = first_max();
      t.top_sire_share(k, c) = static_cast<float>(static_cast<double>(sire_young[pos]) / nk);
      sire_young[pos] = 0;
    }
  }
}

// Top-sire tables of n_years rows, all 0.
top_sire_tables empty_tables(std::int64_t n_years) {
  top_sire_tables t;
  allocate_year_table(t.n_sires_by_year, n_years, 1);
  allocate_year_table(t.top_sire_by_year, n_years, 1);
  allocate_year_table(t.top_sire_share, n_years, 10);
  return t;
}

// The top sires of the animals of `t` (or of the flagged members) born from
// `first_year` on, adding to the sire counts of `r`.
void add_shares(run_context& ctx, const animal_table& t, std::int64_t n_years, std::int32_t first_year,
                top_sire_tables& r, const std::vector<std::int32_t>* members = nullptr) {
  const year_range years = make_year_range(first_year, static_cast<std::int32_t>(first_year + n_years - 1));
  calc_top_sire_shares(ctx, t, group_by_birth_year(ctx, t, years, members), r);
}

TEST(TopSires, EqualTheSlowSearchOnRandomPedigrees) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    testing_support::random_pedigree_shape shape;
    shape.n_animals = 100 + 40 * static_cast<int>(seed % 7);
    shape.n_sires = 3 + static_cast<int>(seed % 30);
    animal_table animal = random_pedigree(seed, shape);
    // The whole table, then every third animal left out (as a subpopulation's members).
    std::vector<animal_record> some;
    std::vector<std::int32_t> members;
    for (std::int64_t i = 1; i <= animal.size(); ++i)
      if (i % 3 != 0) {
        some.push_back(animal[i]);
        members.push_back(static_cast<std::int32_t>(i));
      }
    for (const std::vector<std::int32_t>* flagged : std::vector<const std::vector<std::int32_t>*>{nullptr, &members}) {
      captured_run run;
      top_sire_tables got = empty_tables(8), want = empty_tables(8);
      add_shares(run.ctx, animal, 8, 2000, got, flagged);
      slow_top_sire_shares(flagged == nullptr ? std::span<const animal_record>(animal.rows).subspan(1)
                                              : std::span<const animal_record>(some),
                           8, 2000, want);
      EXPECT_EQ(got.n_sires_by_year.cells, want.n_sires_by_year.cells);
      EXPECT_EQ(got.top_sire_by_year.cells, want.top_sire_by_year.cells);
      EXPECT_EQ(got.top_sire_share.cells, want.top_sire_share.cells);
      EXPECT_EQ(run.console().size(), 8u);
    }
  }
}

// Young of year 2000 by the given sires (record numbers), after `n_sires` males.
animal_table year_of_young(int n_sires, const std::vector<std::pair<int, int>>& young_per_sire, int unknown = 0) {
  animal_table t;
  t.rows.push_back(new_animal_record());
  auto add = [&](int year, int sex, int sire, bool import = false) {
    animal_record r = new_animal_record();
    r.nr = static_cast<std::int32_t>(t.rows.size());
    r.birth_year = year;
    r.sex = sex;
    r.sire_nr = sire;
    r.is_import = import;
    set_text(t, r.name, "Animal " + std::to_string(r.nr));
    t.rows.push_back(r);
  };
  for (int s = 1; s <= n_sires; ++s) add(1995, 1, 0);
  for (auto [sire, n] : young_per_sire)
    for (int i = 0; i < n; ++i) add(2000, 2, sire, i % 2 == 1);  // every second young an import
  for (int i = 0; i < unknown; ++i) add(2000, 2, 0);
  return t;
}

top_sire_tables shares_of(run_context& ctx, const animal_table& t, std::int64_t n_years, std::int32_t first_year) {
  top_sire_tables r = empty_tables(n_years);
  add_shares(ctx, t, n_years, first_year, r);
  return r;
}

TEST(TopSires, SharesOfTheYoungWithAKnownSire) {
  captured_run run;
  // Three sires with 6, 3 and 1 young (imports among them), two young without a sire.
  animal_table t = year_of_young(3, {{2, 3}, {1, 6}, {3, 1}}, 2);
  top_sire_tables r = shares_of(run.ctx, t, 1, 2000);
  EXPECT_EQ(r.n_sires_by_year(1, 1), 3);
  EXPECT_EQ(r.top_sire_by_year(1, 1), 1);
  EXPECT_EQ(r.top_sire_share(1, 1), 0.6f);
  EXPECT_EQ(r.top_sire_share(1, 2), 0.3f);
  EXPECT_EQ(r.top_sire_share(1, 3), 0.1f);
  for (int c = 4; c <= 10; ++c) EXPECT_EQ(r.top_sire_share(1, c), 0.0f);
  // Two sires with 5 young each: the higher number is the top sire.
  animal_table tie = year_of_young(2, {{1, 5}, {2, 5}});
  top_sire_tables rt = shares_of(run.ctx, tie, 1, 2000);
  EXPECT_EQ(rt.top_sire_by_year(1, 1), 2);
  EXPECT_EQ(rt.top_sire_share(1, 1), 0.5f);
  EXPECT_EQ(rt.top_sire_share(1, 2), 0.5f);
  // Twelve sires: the ten largest shares, largest first.
  std::vector<std::pair<int, int>> twelve;
  for (int s = 1; s <= 12; ++s) twelve.push_back({s, s});
  animal_table many = year_of_young(12, twelve);
  top_sire_tables rm = shares_of(run.ctx, many, 1, 2000);
  EXPECT_EQ(rm.n_sires_by_year(1, 1), 12);
  for (int c = 1; c <= 10; ++c) EXPECT_EQ(rm.top_sire_share(1, c), static_cast<float>((13.0 - c) / 78.0));
}

TEST(TopSires, YearsWithoutSiresNameTheFirstRecord) {
  captured_run run;
  animal_table t = year_of_young(1, {{1, 2}}, 0);
  t[1].birth_year = 1998;
  set_text(t, t[1].herdbook_nr, "S1");
  // 1998 has an animal without a sire, 1999 has no animal.
  top_sire_tables r = shares_of(run.ctx, t, 3, 1998);
  EXPECT_EQ(r.n_sires_by_year(1, 1), 0);
  EXPECT_EQ(r.top_sire_by_year(1, 1), 0);
  EXPECT_EQ(r.top_sire_by_year(2, 1), 0);
  EXPECT_EQ(r.top_sire_by_year(3, 1), 1);
  for (int c = 1; c <= 10; ++c) EXPECT_EQ(r.top_sire_share(1, c), 0.0f);
  const std::vector<animal_label> records = gather_top_sire_records(t, r);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(trimmed(records[0].herdbook_nr), "S1");
  EXPECT_EQ(trimmed(records[1].herdbook_nr), "S1");
  EXPECT_EQ(run.console().size(), 3u);  // the lines themselves are held by the end-to-end cases
  // No records at all: every year still gets its line and 0 sires.
  captured_run empty;
  top_sire_tables none = empty_tables(2);
  add_shares(empty.ctx, animal_table{}, 2, 2001, none);
  EXPECT_EQ(empty.console().size(), 2u);
  EXPECT_EQ(none.top_sire_by_year.cells, (std::vector<std::int32_t>{0, 0}));
  // The sire counts are added to: the caller clears them.
  animal_table two = year_of_young(1, {{1, 1}});
  none.n_sires_by_year(1, 1) = 5;
  add_shares(run.ctx, two, 1, 2000, none);
  EXPECT_EQ(none.n_sires_by_year(1, 1), 6);
  // Shares become percentages once.
  for (int call = 0; call < 2; ++call) convert_shares_to_percentages(none);
  EXPECT_EQ(none.top_sire_share(1, 1), 100.0f);
}

TEST(TopParent, MostOffspringOfTheRightSexFirstInTableOrder) {
  animal_table t = year_of_young(3, {{1, 1}});
  t[1].n_offspring_counted = 4;
  t[2].n_offspring_counted = 9;
  t[3].n_offspring_counted = 9;
  t[4].n_offspring_counted = 20;  // a female
  EXPECT_EQ(choose_top_parent(t, 1, nullptr), 2);
  EXPECT_EQ(choose_top_parent(t, 2, nullptr), 4);
  std::vector<std::int32_t> members = {1, 3};
  EXPECT_EQ(choose_top_parent(t, 1, &members), 3);
  EXPECT_EQ(choose_top_parent(t, 2, &members), 0);
  // No female: a blank record, never an animal of the wrong sex.
  t[4].sex = 1;
  EXPECT_EQ(choose_top_parent(t, 2, nullptr), 0);
  const animal_label blank = top_parent_record(t, 0);
  EXPECT_EQ(blank.name.view(), std::string(50, ' '));
  EXPECT_EQ(blank.herdbook_nr.view(), std::string(50, ' '));
  EXPECT_EQ(blank.birth_year, 0);
  EXPECT_EQ(blank.n_offspring_counted, 0);
  EXPECT_EQ(trimmed(top_parent_record(t, 2).name), "Animal 2");
}

}  // namespace
}  // namespace veldmarsh
