// Ages of the parents: date differences in 365-day years, unknown ages, the
// oldest parents and the progress lines (the closing lines are held by the
// end-to-end cases).
#include "reports/parent_ages.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <tuple>

#include "../run/pedigree_test_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;

TEST(DaysBetweenDates, CountsDaysOf365DayYears) {
  EXPECT_EQ(days_between_dates(1, 3, 2010, 1, 3, 2008), 730);
  EXPECT_EQ(days_between_dates(1, 1, 2012, 31, 12, 2011), 1);  // across a year end
  EXPECT_EQ(days_between_dates(1, 3, 2013, 28, 2, 2013), 1);
  EXPECT_EQ(days_between_dates(1, 3, 2012, 28, 2, 2012), 1);   // leap years have no 29 February here
  EXPECT_EQ(days_between_dates(29, 2, 2012, 1, 3, 2012), 0);   // a 29 February falls on 1 March
  EXPECT_EQ(days_between_dates(5, 6, 2000, 5, 6, 2004), -4 * 365);
  EXPECT_EQ(days_between_dates(31, 12, 2000, 1, 1, 2000), 364);
  // Far years do not overflow.
  EXPECT_EQ(days_between_dates(1, 1, 2147483647, 1, 1, -2147483647 - 1), 365LL * 4294967295LL);
}

// A table of dated animals: rows give (sire row, dam row, day, month, year).
struct dated { int sire, dam, day, month, year; };
animal_table dated_table(const std::vector<dated>& rows) {
  animal_table t;
  t.rows.push_back(new_animal_record());
  for (const dated& d : rows) {
    animal_record r = new_animal_record();
    r.nr = static_cast<int>(t.rows.size());
    r.sire_nr = d.sire;
    r.dam_nr = d.dam;
    r.birth_day = d.day;
    r.birth_month = d.month;
    r.birth_year = d.year;
    t.rows.push_back(r);
  }
  return t;
}

TEST(CalcParentAges, AgesUnknownAgesAndOldestParents) {
  captured_run run;
  animal_table t = dated_table({
      {0, 0, 1, 3, 2008},   // 1 sire
      {0, 0, 15, 6, 2005},  // 2 dam
      {1, 2, 1, 3, 2010},   // 3: sire 730 days, dam 1721
      {0, 0, 1, 1, 0},      // 4: a parent without a birth year
      {4, 2, 1, 1, 2011},   // 5: sire age unknown
      {1, 2, 1, 1, 0},      // 6: own birth year unknown: both unknown
      {0, 0, 2, 1, 2012},   // 7: born one day after its young
      {0, 0, 3, 1, 2012},   // 8: born two days after its young
      {7, 8, 1, 1, 2012},   // 9: -1 (taken as unknown later) and -2
      {0, 0, 1, 1, 2012},   // 10: no parents
  });
  const auto [max_sire, max_dam] = calc_parent_ages(run.ctx, t);
  // {animal, sire age, dam age}; founders too: the ages start unknown.
  const std::vector<std::array<std::int64_t, 3>> ages = {
      {3, 730, 365 * 5 - (15 + 151) + 59 + 1}, {5, -1, days_between_dates(1, 1, 2011, 15, 6, 2005)},
      {6, -1, -1}, {9, -1, -2}, {10, -1, -1}, {1, -1, -1}};
  for (auto [i, sire, dam] : ages) {
    EXPECT_EQ(t[i].sire_age_days, sire) << i;
    EXPECT_EQ(t[i].dam_age_days, dam) << i;
  }
  EXPECT_EQ(max_sire, 2);              // 730 / 365
  EXPECT_EQ(max_dam, t[5].dam_age_days / 365);
  EXPECT_TRUE(run.console().empty());
}

TEST(CalcParentAges, AgeBelowOneYearAndEmptyTable) {
  captured_run run;
  animal_table t = dated_table({{0, 0, 1, 1, 2010}, {1, 0, 31, 12, 2010}});
  oldest_parents oldest = calc_parent_ages(run.ctx, t);
  EXPECT_EQ(t[2].sire_age_days, 364);
  EXPECT_EQ(oldest.max_sire_age, 0);
  EXPECT_EQ(oldest.max_dam_age, 0);  // -1 / 365

  animal_table empty;
  oldest = calc_parent_ages(run.ctx, empty);
  EXPECT_EQ(oldest.max_sire_age, -5883516);
  EXPECT_EQ(oldest.max_dam_age, -5883516);
}

TEST(CalcParentAges, ProgressLines) {
  auto lines_for = [](int n, bool english) {
    captured_run run(english);
    animal_table t = dated_table(std::vector<dated>(static_cast<std::size_t>(n), dated{0, 0, 1, 1, 2000}));
    calc_parent_ages(run.ctx, t);
    return run.console();
  };
  // {animals, English, lines, one line}: every 100, 200 or 500, never after the last.
  const std::vector<std::tuple<int, bool, std::size_t, std::string>> cases = {
      {200, true, 1, " animal no.          100 age parents determined"},
      {25000, false, 124, " dier nr.          200 leeftijd ouders bepaald"},
      {25001, true, 50, " animal no.        25000 age parents determined"}};
  for (const auto& [n, english, count, line] : cases) {
    std::vector<std::string> lines = lines_for(n, english);
    ASSERT_EQ(lines.size(), count) << n;
    EXPECT_EQ(english ? lines.back() : lines.front(), line);
  }
}

// Ages in days of the sire and the dam of records 1.. of a table.
animal_table aged(const std::vector<std::pair<int, int>>& ages) {
  animal_table t;
  t.rows.push_back(new_animal_record());
  for (auto [sire, dam] : ages) {
    animal_record r = new_animal_record();
    r.nr = static_cast<int>(t.rows.size());
    r.sire_age_days = sire;
    r.dam_age_days = dam;
    t.rows.push_back(r);
  }
  return t;
}

TEST(OverallParentAges, UnknownAgesOnlyAreLeftOut) {
  // Ages of 0 and -2 days count in the overall means; -1 is unknown.
  animal_table t = aged({{730, -1}, {0, 400}, {-2, -1}, {-1, 1000}});
  std::array<float, 2> overall{};
  calc_overall_parent_ages(t, nullptr, overall);
  EXPECT_EQ(overall[0], static_cast<float>(728.0 / 3) / 365.0f);
  EXPECT_EQ(overall[1], 700.0f / 365.0f);
  std::vector<std::int32_t> members = {1, 4};
  calc_overall_parent_ages(t, &members, overall);
  EXPECT_EQ(overall[0], 730.0f / 365.0f);
  EXPECT_EQ(overall[1], 1000.0f / 365.0f);
  // No known age: 0, not 0 / 0.
  calc_overall_parent_ages(aged({{-1, -1}}), nullptr, overall);
  EXPECT_EQ(overall[0], 0.0f);
  EXPECT_EQ(overall[1], 0.0f);
  // Sums of many long ages do not overflow 32 bits.
  animal_table old = aged(std::vector<std::pair<int, int>>(3000, {1000000, 1000000}));
  calc_overall_parent_ages(old, nullptr, overall);
  EXPECT_EQ(overall[0], 1000000.0f / 365.0f);
}

TEST(OverallParentAges, OldestParentsOfMembersAndYearlyMeansInYears) {
  animal_table t = aged({{3650, 400}, {800, 1100}, {-1, -1}});
  oldest_parents oldest = calc_max_parent_ages(t, nullptr);
  EXPECT_EQ(oldest.max_sire_age, 10);
  EXPECT_EQ(oldest.max_dam_age, 3);
  std::vector<std::int32_t> members = {2, 3};
  oldest = calc_max_parent_ages(t, &members);
  EXPECT_EQ(oldest.max_sire_age, 2);
  EXPECT_EQ(oldest.max_dam_age, 3);
  members = {3};
  EXPECT_EQ(calc_max_parent_ages(t, &members).max_sire_age, 0);  // -1 / 365 truncates to 0

  year_count_tables tables;
  allocate_year_table(tables.sire_age_count, 1, 10);
  allocate_year_table(tables.dam_age_count, 1, 3);
  allocate_year_table(tables.mean_sire_age_by_year, 1, 1);
  allocate_year_table(tables.mean_dam_age_by_year, 1, 1);
  const std::vector<std::int32_t> year = {1, 2, 3};
  count_parent_age_classes(t, year, 1, tables);
  EXPECT_EQ(tables.sire_age_count(1, 9), 1);   // 3650 days: 3286..3650 is class 9
  EXPECT_EQ(tables.sire_age_count(1, 2), 1);   // 800 days
  EXPECT_EQ(tables.dam_age_count(1, 1), 1);    // 400 days
  EXPECT_EQ(tables.dam_age_count(1, 3), 1);    // 1100 days
  EXPECT_EQ(tables.mean_sire_age_by_year(1, 1), 2225.0f);
  EXPECT_EQ(tables.mean_dam_age_by_year(1, 1), 750.0f);
  for (int call = 0; call < 2; ++call) convert_mean_ages_to_years(tables);  // once only
  EXPECT_EQ(tables.mean_sire_age_by_year(1, 1), 2225.0f / 365.0f);
  EXPECT_EQ(tables.mean_dam_age_by_year(1, 1), 750.0f / 365.0f);
}

}  // namespace
}  // namespace veldmarsh
