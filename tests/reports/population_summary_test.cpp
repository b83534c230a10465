// The summary block: every line of a ten-year case worked by hand (window,
// recruitment rows, envelope of ages, litter sizes of more than 1%), and too
// few years or no data without a crash or a NaN.
#include "reports/population_summary.h"

#include <gtest/gtest.h>

#include "report_test_support.h"

namespace veldmarsh {
namespace {

using report_testing::captured_report;
using report_testing::rule;
using report_testing::separator;

struct summary_tables {
  year_table<std::int32_t> parent_counts, sire_ages, dam_ages, litters;
  year_table<float> top_share;
};

// Ten years 2000-2009: window rows 4..9 (2003-2008), recruitment rows 4..7.
summary_tables ten_years() {
  summary_tables t;
  allocate_year_table(t.parent_counts, 10, 6);
  allocate_year_table(t.sire_ages, 10, 4);
  allocate_year_table(t.dam_ages, 10, 2);
  allocate_year_table(t.litters, 10, 102);
  allocate_year_table(t.top_share, 10, 10);
  // Fathers aged 1..4: 1, 4, 2, 3 births in the window (p 0.1 0.4 0.2 0.3;
  // envelope 0.4 0.4 0.3 0.3, S 1.4, q 0.2857); the last year does not count.
  t.sire_ages(5, 1) = 1;
  t.sire_ages(6, 2) = 4;
  t.sire_ages(4, 3) = 2;
  t.sire_ages(9, 4) = 3;
  t.sire_ages(10, 1) = 50;
  // Mothers aged 1..2: 3 and 1 (q 0.75).
  t.dam_ages(4, 1) = 3;
  t.dam_ages(8, 2) = 1;
  for (int r = 4; r <= 7; ++r) {
    t.parent_counts(r, 2) = 10;              // 10 future sires a year
    t.parent_counts(r, 5) = r == 7 ? 7 : 6;  // 25 future dams in 4 years: 6.25
  }
  t.parent_counts(8, 2) = 1000;  // outside the recruitment rows
  // 736 litters in the window: 122.67 a year.
  for (int r = 4; r <= 9; ++r) t.litters(r, 1) = r == 9 ? 121 : 123;
  t.litters(10, 1) = 5000;
  // Litter sizes over all years: size 1 twice, 2 fifty times, 3 47 times,
  // 5 once (1% exactly: not shown, and no larger size is).
  t.litters(1, 3) = 2;
  t.litters(2, 4) = 30;
  t.litters(10, 4) = 20;
  t.litters(3, 5) = 47;
  t.litters(7, 7) = 1;
  // Top-4 shares: 64.25% in every window year.
  for (int r = 4; r <= 9; ++r) {
    t.top_share(r, 1) = 30;
    t.top_share(r, 2) = 20;
    t.top_share(r, 3) = 10;
    t.top_share(r, 4) = 4.25f;
    t.top_share(r, 5) = 99;  // only the first four count
  }
  return t;
}

TEST(PopulationSummary, TenYearsInEnglish) {
  captured_report out(true);
  summary_tables t = ten_years();
  write_population_summary(out.ctx, 10, 2000, 4, 2, t.parent_counts, t.top_share, t.sire_ages, t.dam_ages, t.litters);
  std::vector<std::string> expected = {
      rule(73),
      separator,
      "      Summary population data",
      "      based on        2003  -         2008",
      rule(73),
      " Number litters per year ",
      "         123.",
      separator,
      " Number dams available for breeding per year ",
      "           8.",
      separator,
      "        |  explanation derivation:",
      "        |  based on        2003  -         2006",
      "       |     6 females are born per year that later will become mother",
      "       |  75.0% of breeding females are replaced each year",
      "        |  giving a total of     8.breeding females including those ",
      "       |                 that will not yet breed, but will in later years",
      "        |  and     8.excluding those young animals",
      separator,
      " Number sires available for breeding per year ",
      "          25.",
      separator,
      "        |  explanation derivation:",
      "        |  based on        2003  -         2006",
      "       |    10 males are born per year that later will become father",
      "       |  28.6% of breeding males are replaced each year",
      "        |  giving a total of    35.breeding males including those ",
      "       |                 that will not yet breed, but will in later years",
      "        |  and    25.excluding those young animals",
      separator,
      " Contribution of the 4 most popular sires ",
      "          65.%",
      separator,
      " Litter size ",
      "   Number of sizes:            3",
      "   Litter size    Fraction  ",
      "       1              2.",
      "       2             51.",
      "       3             47.",
      separator,
      " Age parents ",
      "   Number of ages:            4",
      "   Age    Fraction  Fraction",
      "          fathers   mothers",
      "     1       10.       75.",
      "     2       40.       25.",
      "     3       20.        0.",
      "     4       30.        0.",
      separator,
      rule(73),
  };
  std::vector<std::string> lines = out.report();
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
}

TEST(PopulationSummary, OneYearOrNoneGivesZerosWithoutDividingByZero) {
  for (std::int64_t n : {0, 1}) {
    captured_report out(true);
    summary_tables t;
    allocate_year_table(t.parent_counts, n, 6);
    allocate_year_table(t.sire_ages, n, 0);
    allocate_year_table(t.dam_ages, n, 3);
    allocate_year_table(t.litters, n, 102);
    allocate_year_table(t.top_share, n, 10);
    write_population_summary(out.ctx, n, 2020, n == 0 ? -5883516 : 0, 3, t.parent_counts, t.top_share, t.sire_ages,
                             t.dam_ages, t.litters);
    std::vector<std::string> l = out.report();
    ASSERT_EQ(l.size(), 43u) << n;     // no size and no age lines
    EXPECT_EQ(l[6], "           0.");  // 0 + 0.5, rounded to even
    EXPECT_EQ(l[9], "           0.");
    EXPECT_EQ(l[14], "       |   0.0% of breeding females are replaced each year");
    EXPECT_EQ(l[34], "   Number of sizes:            0");
    EXPECT_EQ(l[38], "   Number of ages:            0");
    for (const std::string& line : l) EXPECT_EQ(line.find("nan"), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace veldmarsh
