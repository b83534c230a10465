// The IMPORT, COLOUR VARIETIES and Main Breeders tables: every line of
// small hand-filled tables in both languages, a year without animals, legend
// cuts and the wrapped explanation line of the breeder table.
#include "reports/import_colour_breeder_tables.h"

#include <gtest/gtest.h>

#include "report_test_support.h"

namespace veldmarsh {
namespace {

using report_testing::captured_report;
using report_testing::pad;
using report_testing::rule;
using report_testing::separator;

year_table<std::int32_t> table_of(const std::vector<std::vector<std::int32_t>>& rows) {
  year_table<std::int32_t> t;
  allocate_year_table(t, static_cast<std::int64_t>(rows.size()), rows.empty() ? 0 : rows[0].size());
  for (std::size_t k = 0; k < rows.size(); ++k)
    for (std::size_t j = 0; j < rows[k].size(); ++j) t(k + 1, j + 1) = rows[k][j];
  return t;
}

TEST(ImportReport, IsDutchInBothLanguagesWithTotals) {
  for (bool english : {true, false}) {
    captured_report out(english);
    year_table<std::int32_t> counts = table_of({{3, 1, 0, 2}, {0, 0, 0, 0}, {10, 0, 4, 0}});
    import_total_set totals = write_import_report(out.ctx, 2021, 2019, 3, counts);
    EXPECT_EQ(totals, (import_total_set{13, 1, 4, 2}));
    std::vector<std::string> expected = {
        "            IMPORT: aantal pups geboren uit nederlandse of importouders",
        rule(52),
        "   geb.   NL x NL  imp. x NL  NL x imp imp. x imp.   ",
        "  jaar ",
        rule(52),
        "      2019         3         1         0         2",
        "      2020         0         0         0         0",
        "      2021        10         0         4         0",
        rule(53),
        " totaal         13         1         4         2",
        rule(53),
    };
    EXPECT_EQ(out.report(), expected);
  }
}

TEST(ImportReport, NoYearsGivesHeadingsAndZeroTotals) {
  captured_report out;
  year_table<std::int32_t> counts;
  allocate_year_table(counts, 0, 4);
  EXPECT_EQ(write_import_report(out.ctx, 0, 1, 0, counts), (import_total_set{0, 0, 0, 0}));
  std::vector<std::string> lines = out.report();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[6], " totaal          0         0         0         0");
}

TEST(ColourReport, LegendEndsWithTheTwoFixedClasses) {
  for (bool english : {true, false}) {
    captured_report out(english);
    out.ctx.cfg.colour_codes = {make_text<40>("Zwart"), make_text<40>("Onbekend"), make_text<40>("niet erkend")};
    out.ctx.cfg.n_colour_classes = 3;
    year_table<std::int32_t> counts = table_of({{4, 1, 2}, {0, 0, 0}});
    write_colour_report(out.ctx, 2001, 2000, 2, counts);
    std::vector<std::string> expected = {
        separator,
        english ? "      COLOUR VARIETIES present in population" : "      KLEURSLAGEN aanwezig in populatie",
        rule(56),
        "       1  " + pad("Zwart", 40),
        "       2  " + pad("Onbekend", 40),
        "       3  " + pad("niet erkend", 40),
        rule(56),
        "  jaar         1       2       3",
        rule(56),
        "    2000       4       1       2",
        "    2001       0       0       0",
        rule(56),
        std::string(english ? " total  " : " totaal ") + "       4       1       2",
        rule(56),
    };
    EXPECT_EQ(out.report(), expected);
  }
}

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
