// Breeder list and top breeders: compared with a search of the whole list and
// repeated picking on random tables, and the cases at the edges (ten-year
// window, blank and padded names, the 10 and 30 bounds, progress lines; the
// opening and closing lines are held by the end-to-end cases).
#include "reports/breeder_list.h"

#include <gtest/gtest.h>

#include <random>

#include "../run/reader_test_support.h"

namespace veldmarsh {
namespace {

using reader_testing::captured_lines;

animal_table table_of(const std::vector<std::pair<std::string, int>>& breeder_and_year) {
  animal_table t;
  t.rows.assign(breeder_and_year.size() + 1, new_animal_record());
  for (std::size_t i = 0; i < breeder_and_year.size(); ++i) {
    set_text(t, t[i + 1].breeder, breeder_and_year[i].first);
    t[i + 1].birth_year = breeder_and_year[i].second;
  }
  return t;
}

// The list the slow way: a search of the whole list per animal,
// then picks of the largest count, one at a time.
void slow_breeders(const animal_table& t, std::int32_t last_year, std::vector<breeder_name>& list,
                      std::int32_t& n_top, std::vector<int>& picks) {
  list.clear();
  for (std::int64_t i = 1; i <= t.size(); ++i) {
    const breeder_name breeder = text_of(t, t[i].breeder);
    if (is_blank(breeder)) continue;
    bool found = false;
    for (const auto& b : list) found = found || b == breeder;
    if (!found) list.push_back(breeder);
  }
  std::vector<long> count(list.size(), 0);
  for (std::size_t j = 0; j < list.size(); ++j)
    for (std::int64_t i = 1; i <= t.size(); ++i)
      if (text_of(t, t[i].breeder) == list[j] && t[i].birth_year > last_year - 10) ++count[j];
  const int n = static_cast<int>(list.size());
  if (n < 10) {
    n_top = n;
  } else {
    int m = 0;
    for (long c : count) m += c > 250;
    n_top = m <= 10 ? 10 : m > 30 ? 30 : m;
  }
  std::vector<bool> picked(list.size(), false);
  std::vector<int> order;
  picks.clear();
  for (int p = 0; p < n_top; ++p) {
    int pos = -1;
    for (int j = 0; j < n; ++j)
      if (!picked[j] && (pos < 0 || count[j] > count[pos])) pos = j;
    picked[pos] = true;
    order.push_back(pos);
    picks.push_back(pos + 1);
  }
  for (int j = 0; j < n; ++j)
    if (!picked[j]) order.push_back(j);
  std::vector<breeder_name> reordered;
  for (int j : order) reordered.push_back(list[j]);
  list = reordered;
}

// select_top_breeders over `list` (reordered in place); returns the number
// of top breeders.
std::int32_t select_top(captured_lines& out, const animal_table& t, std::int32_t last_year,
                        std::vector<breeder_name>& list) {
  breeder_tables breeders{list, -1};
  select_top_breeders(out.ctx, t, last_year, breeders);
  list = breeders.breeder_list;
  return breeders.n_top_breeders;
}

TEST(BreederList, EqualsASearchOfTheWholeListOnRandomTables) {
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    const int n_names = 1 + static_cast<int>(rng() % 50);
    const int n_animals = static_cast<int>(rng() % 12000);
    std::vector<std::pair<std::string, int>> rows;
    for (int i = 0; i < n_animals; ++i) {
      // Skewed use of breeders, some blank, years 1990..2020 and 0.
      int b = static_cast<int>(std::min<unsigned>(rng() % n_names, rng() % n_names));
      std::string name = rng() % 20 == 0 ? "" : "Kennel " + std::to_string(b);
      int year = rng() % 15 == 0 ? 0 : 1990 + static_cast<int>(rng() % 31);
      rows.emplace_back(name, year);
    }
    animal_table t = table_of(rows);
    const std::int32_t last_year = 2020;
    std::vector<breeder_name> expected_list;
    std::int32_t expected_top = -1;
    std::vector<int> expected_picks;
    slow_breeders(t, last_year, expected_list, expected_top, expected_picks);

    captured_lines out;
    std::vector<breeder_name> list;
    build_breeder_list(out.ctx, t, list);
    std::int32_t n_top = -1;
    out.console();
    n_top = select_top(out, t, last_year, list);
    EXPECT_EQ(n_top, expected_top);
    EXPECT_TRUE(list == expected_list) << "round " << round;
    std::vector<std::string> lines = out.console();
    ASSERT_EQ(lines.size(), expected_picks.size() + 1);
    for (std::size_t p = 0; p < expected_picks.size(); ++p) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%12zu%12d", p + 1, expected_picks[p]);
      EXPECT_EQ(lines[p + 1], buf);
    }
  }
}

// `count` animals of breeder `name` born in `year`.
void add(std::vector<std::pair<std::string, int>>& rows, const std::string& name, int count, int year = 2020) {
  for (int i = 0; i < count; ++i) rows.emplace_back(name, year);
}

std::int32_t top_breeders_of(const std::vector<std::pair<std::string, int>>& rows, std::vector<breeder_name>& list) {
  animal_table t = table_of(rows);
  captured_lines out;
  build_breeder_list(out.ctx, t, list);
  std::int32_t n_top = -1;
  n_top = select_top(out, t, 2020, list);
  return n_top;
}

TEST(TopBreeders, BoundsOfTenAndThirty) {
  for (auto [big, expected] : {std::pair{12, 12}, std::pair{3, 10}, std::pair{35, 30}, std::pair{10, 10}}) {
    std::vector<std::pair<std::string, int>> rows;
    for (int b = 0; b < 40; ++b) add(rows, "B" + std::to_string(b), b < big ? 251 + b : 5 + b);
    std::vector<breeder_name> list;
    EXPECT_EQ(top_breeders_of(rows, list), expected) << big;
  }
  // Exactly 250 is not more than 250.
  std::vector<std::pair<std::string, int>> rows;
  for (int b = 0; b < 12; ++b) add(rows, "B" + std::to_string(b), 250);
  std::vector<breeder_name> list;
  EXPECT_EQ(top_breeders_of(rows, list), 10);
}

TEST(TopBreeders, FiveBreedersTiesAndTheTenYearWindow) {
  std::vector<std::pair<std::string, int>> rows;
  add(rows, "Alpha", 2);
  add(rows, "Beta", 5);
  add(rows, "Gamma", 2);
  add(rows, "Delta", 9, 2010);  // ten years before the last year: not counted
  add(rows, "Epsilon", 1, 2011);  // nine years before: counted
  add(rows, "Delta", 1);
  std::vector<breeder_name> list;
  EXPECT_EQ(top_breeders_of(rows, list), 5);
  std::vector<std::string> names;
  for (const auto& b : list) names.emplace_back(trimmed(b));
  EXPECT_EQ(names, (std::vector<std::string>{"Beta", "Alpha", "Gamma", "Delta", "Epsilon"}));
}

TEST(BreederList, BlankPaddedAndCaseSensitiveNames) {
  animal_table t = table_of({{"Ter Heide", 2000}, {"", 2000}, {"Ter Heide   ", 2001}, {"ter heide", 2001}, {"   ", 1}});
  captured_lines out(false);
  std::vector<breeder_name> list;
  build_breeder_list(out.ctx, t, list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(trimmed(list[0]), "Ter Heide");
  EXPECT_EQ(trimmed(list[1]), "ter heide");
  // All blank: an empty list and no top breeders.
  animal_table blank = table_of({{"", 2000}, {" ", 2001}});
  build_breeder_list(out.ctx, blank, list);
  std::int32_t n_top = -1;
  n_top = select_top(out, blank, 2001, list);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(n_top, 0);
}

TEST(BreederList, ProgressLinesComeBeforeTheAnimalIsExamined) {
  std::vector<std::pair<std::string, int>> rows;
  for (int i = 1; i <= 8000; ++i) rows.emplace_back("K" + std::to_string(i % 700), 2000);
  animal_table t = table_of(rows);
  captured_lines out;
  std::vector<breeder_name> list;
  build_breeder_list(out.ctx, t, list);
  std::vector<std::string> lines = out.console();
  ASSERT_EQ(lines.size(), 16u + 2u);
  EXPECT_EQ(lines[0], " breeder of          500  read, N breeder =          499");
  EXPECT_EQ(lines[1], " breeder of         1000  read, N breeder =          700");
  EXPECT_EQ(lines[15], " breeder of         8000  read, N breeder =          700");
}

TEST(BreederList, WithoutABreederColumn) {
  breeder_tables breeders{{}, -1};
  make_empty_breeder_list(breeders);
  ASSERT_EQ(breeders.breeder_list.size(), 1u);
  EXPECT_EQ(breeders.breeder_list[0].view(), "geen fokkers        ");
  EXPECT_EQ(breeders.n_top_breeders, 0);
}

}  // namespace
}  // namespace veldmarsh
