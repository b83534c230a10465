// Ages of the parents: date differences in 365-day years, unknown ages,
// the oldest parents, the progress lines and the closing lines.
#include "reports/parent_ages.h"

#include <gtest/gtest.h>

#include <limits>

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
  std::int32_t max_sire = 0, max_dam = 0;
  calc_parent_ages(run.ctx, t, max_sire, max_dam);
  EXPECT_EQ(t[3].sire_age_days, 730);
  EXPECT_EQ(t[3].dam_age_days, 365 * 5 - (15 + 151) + 59 + 1);
  EXPECT_EQ(t[5].sire_age_days, -1);
  EXPECT_EQ(t[5].dam_age_days, days_between_dates(1, 1, 2011, 15, 6, 2005));
  EXPECT_EQ(t[6].sire_age_days, -1);
  EXPECT_EQ(t[6].dam_age_days, -1);
  EXPECT_EQ(t[9].sire_age_days, -1);
  EXPECT_EQ(t[9].dam_age_days, -2);
  EXPECT_EQ(t[10].sire_age_days, -1);
  EXPECT_EQ(t[10].dam_age_days, -1);
  EXPECT_EQ(t[1].sire_age_days, -1);  // founders too: the ages start unknown
  EXPECT_EQ(max_sire, 2);              // 730 / 365
  EXPECT_EQ(max_dam, t[5].dam_age_days / 365);
  EXPECT_TRUE(run.console().empty());
}

TEST(CalcParentAges, AgeBelowOneYearAndEmptyTable) {
  captured_run run;
  animal_table t = dated_table({{0, 0, 1, 1, 2010}, {1, 0, 31, 12, 2010}});
  std::int32_t max_sire = 0, max_dam = 0;
  calc_parent_ages(run.ctx, t, max_sire, max_dam);
  EXPECT_EQ(t[2].sire_age_days, 364);
  EXPECT_EQ(max_sire, 0);
  EXPECT_EQ(max_dam, 0);  // -1 / 365

  animal_table empty;
  calc_parent_ages(run.ctx, empty, max_sire, max_dam);
  EXPECT_EQ(max_sire, -5883516);
  EXPECT_EQ(max_dam, -5883516);
}

TEST(CalcParentAges, ProgressLines) {
  auto lines_for = [](int n, bool english) {
    captured_run run(english);
    animal_table t = dated_table(std::vector<dated>(static_cast<std::size_t>(n), dated{0, 0, 1, 1, 2000}));
    std::int32_t a = 0, b = 0;
    calc_parent_ages(run.ctx, t, a, b);
    return run.console();
  };
  std::vector<std::string> lines = lines_for(200, true);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], " animal no.          100 age parents determined");
  lines = lines_for(25000, false);
  ASSERT_EQ(lines.size(), 124u);  // every 200, not after the last
  EXPECT_EQ(lines[0], " dier nr.          200 leeftijd ouders bepaald");
  lines = lines_for(25001, true);
  ASSERT_EQ(lines.size(), 50u);
  EXPECT_EQ(lines[49], " animal no.        25000 age parents determined");
}

TEST(CalcParentAges, ClosingLines) {
  captured_run run;
  write_parent_ages_done(run.ctx, 14, 11);
  std::vector<std::string> console = run.console();
  ASSERT_EQ(console.size(), 1u);
  EXPECT_EQ(console[0], " oldest parents;           14          11");
  EXPECT_EQ(console[0].size(), 41u);
  std::vector<std::string> log = run.log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], " Ages of parents determined at 05/12/2026 on 10.17 and 58.123 seconds ");
  EXPECT_EQ(log[1], "  ");

  captured_run dutch(false);
  write_parent_ages_done(dutch.ctx, 3, 4);
  EXPECT_EQ(dutch.console()[0], " oudste ouders;            3           4");
  EXPECT_EQ(dutch.log()[0], " Leeftijd ouders bepaald op 05/12/2026 om 10.17 and 58.123 seconds ");
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
  std::vector<bool> members = {false, true, false, false, true};
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
  std::int32_t max_sire = 0, max_dam = 0;
  calc_max_parent_ages(t, nullptr, max_sire, max_dam);
  EXPECT_EQ(max_sire, 10);
  EXPECT_EQ(max_dam, 3);
  std::vector<bool> members = {false, false, true, true};
  calc_max_parent_ages(t, &members, max_sire, max_dam);
  EXPECT_EQ(max_sire, 2);
  EXPECT_EQ(max_dam, 3);
  members = {false, false, false, true};
  calc_max_parent_ages(t, &members, max_sire, max_dam);
  EXPECT_EQ(max_sire, 0);  // -1 / 365 truncates to 0

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
  convert_mean_ages_to_years(tables);
  EXPECT_EQ(tables.mean_sire_age_by_year(1, 1), 2225.0f / 365.0f);
  EXPECT_EQ(tables.mean_dam_age_by_year(1, 1), 750.0f / 365.0f);
}

}  // namespace
}  // namespace veldmarsh
