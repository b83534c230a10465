// The IMPORT and Main Breeders tables: totals, a year without animals,
// legend cuts and the wrapped explanation line of the breeder table.
#include "reports/import_colour_breeder_tables.h"

#include <gtest/gtest.h>

#include "report_test_support.h"
#include "support/year_table_builders.h"

namespace veldmarsh {
namespace {

using report_testing::captured_report;
using report_testing::rule;
using report_testing::separator;

year_table<std::int32_t> table_of(const std::vector<std::vector<std::int32_t>>& rows) {
  return testing::year_table_of(rows);
}

TEST(ImportReport, TotalsAndAYearWithoutAnimals) {
  captured_report out(true);  // Dutch in both languages
  year_table<std::int32_t> counts = table_of({{3, 1, 0, 2}, {0, 0, 0, 0}, {10, 0, 4, 0}});
  EXPECT_EQ(write_import_report(out.ctx, 2021, 2019, 3, counts), (import_total_set{13, 1, 4, 2}));
  std::vector<std::string> lines = out.report();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "            IMPORT: aantal pups geboren uit nederlandse of importouders");
  EXPECT_EQ(lines[6], "      2020         0         0         0         0");
  EXPECT_EQ(lines[9], " totaal         13         1         4         2");

  // No years: the headings and zero totals.
  year_table<std::int32_t> none;
  allocate_year_table(none, 0, 4);
  EXPECT_EQ(write_import_report(out.ctx, 0, 1, 0, none), (import_total_set{0, 0, 0, 0}));
  lines = out.report();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[6], " totaal          0         0         0         0");
}

// The colour table's lines in both languages are held by the end-to-end cases.

TEST(BreederReport, LegendCutsNamesAndTheExplanationWraps) {
  captured_report out(true);
  set_text(out.ctx.cfg.young_words, "puppies");
  std::vector<fixed_text<20>> list = {make_text<20>("Hoeve de Vlinderhof"), make_text<20>("Ab"),
                                      make_text<20>("not a top breeder")};
  // Two top breeders: columns 1-2, 3-4, then the others (5) and their parents (6).
  year_table<std::int32_t> counts = table_of({{5, 2, 1, 0, 7, 3}, {0, 0, 0, 0, 0, 0}});
  write_breeder_report(out.ctx, 2011, 2010, 2, 2, counts, list);
  std::vector<std::string> expected = {
      separator,
      "      Main Breeders  ",
      rule(56),
      "       1  Hoeve d",
      "       2  Ab     ",
      "       3  others ",
      " for each breeder 1st colomn number of puppies ",
      "  bred, 2nd colomn number of parents bred",
      rule(56),
      "  jaar                 1               2               3",
      rule(56),
      "    2010       5       2       1       0       7       3",
      "    2011       0       0       0       0       0       0",
      rule(56),
      " totaal        5       2       1       0       7       3",
      rule(56),
  };
  EXPECT_EQ(out.report(), expected);
}

TEST(BreederReport, DutchAndWithoutTopBreeders) {
  captured_report out(false);
  set_text(out.ctx.cfg.young_words, "pups");
  std::vector<fixed_text<20>> list;  // a breeder column with only blank fields
  year_table<std::int32_t> counts = table_of({{3, 1}});
  write_breeder_report(out.ctx, 1999, 1999, 1, 0, counts, list);
  std::vector<std::string> expected = {
      separator,
      "      belangrijkste Fokkers  ",
      rule(56),
      "       1  overige",
      " per fokker 1ste kolom aantal pups    ",
      "  gefokt, 2de kolom aantal ouderdieren gefokt",
      rule(56),
      "  jaar                 1",
      rule(56),
      "    1999       3       1",
      rule(56),
      " totaal        3       1",
      rule(56),
  };
  EXPECT_EQ(out.report(), expected);
}

}  // namespace
}  // namespace veldmarsh
