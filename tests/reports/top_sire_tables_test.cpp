// Top sire and completeness tables: the shares turned into percentages in
// place, names and identifications cut to their columns, years without sires
// or animals, and fractions printed as fractions.
#include "reports/top_sire_tables.h"

#include <gtest/gtest.h>

#include "../run/pedigree_test_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;

const std::string sep(12, ' '), u48(48, '_'), u64(64, '_'), u119(119, '_');

animal_record sire(std::string_view name, std::string_view id) {
  animal_record r = new_animal_record();
  set_text(r.name, name);
  set_text(r.herdbook_nr, id);
  return r;
}

struct top_sire_case {
  year_table<std::int32_t> n_sires;
  year_table<float> shares;
  std::vector<animal_record> records;
};

// 2020: two sires (0.75, 0.25) whose top sire has a long name and
// identification; 2021: no sire (its record must not be read); 2022: one
// sire; 2023: 12.5 percent for the tenth sire.
top_sire_case three_kinds_of_year() {
  top_sire_case c;
  allocate_year_table(c.n_sires, 4, 1);
  allocate_year_table(c.shares, 4, 10);
  c.n_sires(1, 1) = 2;
  c.shares(1, 1) = 0.75f;
  c.shares(1, 2) = 0.25f;
  c.n_sires(3, 1) = 1;
  c.shares(3, 1) = 1.0f;
  c.n_sires(4, 1) = 10;
  for (int j = 1; j <= 9; ++j) c.shares(4, j) = 0.875f / 9;
  c.shares(4, 10) = 0.125f;
  c.records = {sire("A very long name of a famous sire", "NHSB-1234567890123"), sire("Unread", "Unread"),
               sire("Rex", "NL-1"), sire("Max", "NL-2")};
  return c;
}

TEST(TopSireReport, EnglishRowsAndSharesBecomePercentagesInPlace) {
  captured_run run(true);
  top_sire_case c = three_kinds_of_year();
  write_top_sire_report(run.ctx, 2023, 2020, 4, c.n_sires, c.shares, c.records);
  const std::string zeros9 = "   0.0   0.0   0.0   0.0   0.0   0.0   0.0   0.0   0.0";
  // The headings are held by the end-to-end cases; the rows here.
  std::vector<std::string> lines = run.report();
  ASSERT_EQ(lines.size(), 12u);
  lines.erase(lines.begin(), lines.begin() + 6);
  std::vector<std::string> expected = {
      " 2020       2 | A very long name of a famNHSB-1234567890 |   75.0  25.0   0.0   0.0   0.0   0.0   0.0   0.0"
      "   0.0   0.0",
      " 2021       0 |  -                        -              |    0.0" + zeros9,
      " 2022       1 | Rex                      NL-1            |  100.0" + zeros9,
      " 2023      10 | Max                      NL-2            |    9.7   9.7   9.7   9.7   9.7   9.7   9.7   9.7"
      "   9.7  12.5",
      u119,
      sep,
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(c.shares(1, 1), 75.0f);
  EXPECT_EQ(c.shares(4, 10), 12.5f);
  EXPECT_EQ(c.shares(2, 1), 0.0f);
}

TEST(TopSireReport, AYearWithoutAnimalsWhoseRecordListIsShort) {
  captured_run run(false);
  year_table<std::int32_t> n_sires;
  year_table<float> shares;
  allocate_year_table(n_sires, 2, 1);
  allocate_year_table(shares, 2, 10);
  n_sires(2, 1) = 123456789;  // too wide for its column
  shares(2, 1) = 1.0f;
  std::vector<animal_record> records = {sire("", ""), sire("Rex", "NL-1")};
  write_top_sire_report(run.ctx, 2021, 2020, 2, n_sires, shares, records);
  auto lines = run.report();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[7].substr(0, 45), " 2021******** | Rex                      NL-1");
}

TEST(CompletenessReport, EnglishFractionsAndAYearWithoutAnimals) {
  captured_run run(true);
  year_table<float> mean_equiv, completeness;
  allocate_year_table(mean_equiv, 2, 1);
  allocate_year_table(completeness, 2, 5);
  mean_equiv(1, 1) = 1.75f;
  completeness(1, 1) = 0.25f;
  completeness(1, 2) = 0.5f;
  completeness(1, 5) = 0.125f;
  write_completeness_report(run.ctx, 2021, 2020, 2, mean_equiv, completeness);
  std::vector<std::string> expected = {
      sep,
      "            PEDIGREE COMPLETENESS",
      " " + u64,
      "   Y of   average    | percentage animals with # of generations ",
      "   birth  generation | in pedigree completely known ",
      "          equivalent   |    1       2       3       4    >5  ",
      " " + u64,
      "    2020      1.75        0.25    0.50    0.00    0.00    0.12",  // 0.125 rounds to even
      "    2021      0.00        0.00    0.00    0.00    0.00    0.00",
      " " + u48,
      sep,
  };
  EXPECT_EQ(run.report(), expected);
}

}  // namespace
}  // namespace veldmarsh
