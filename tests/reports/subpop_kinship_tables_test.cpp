// Subpopulation kinship tables: no rows when there are no years, and 46
// subpopulations whose 1035 pair columns need a format of more than 999
// columns.
#include "reports/subpop_kinship_tables.h"

#include <gtest/gtest.h>

#include "report_test_support.h"

namespace veldmarsh {
namespace {

using report_testing::captured_report;
using report_testing::pad;
using report_testing::rule;
using report_testing::separator;

void set_codes(settings& cfg, std::int64_t n) {
  cfg.n_subpop = static_cast<int>(n);
  cfg.subpop_codes.clear();
  for (std::int64_t j = 1; j <= n; ++j) cfg.subpop_codes.push_back(make_text<20>("S" + std::to_string(j)));
}

TEST(SubpopKinshipReport, DutchWithoutYears) {
  captured_report out(false);
  set_codes(out.ctx.cfg, 2);
  year_table<float> k;
  allocate_year_table(k, 0, 5);
  write_subpop_kinship_report(out.ctx, 0, 1, 0, k);
  std::vector<std::string> expected = {
      separator,
      "      Inteelt en Verwantschap binnen Subpopulaties",
      rule(73),
      "        " + pad("S1", 20) + pad("S2", 20),
      "  jaar  inteelt verwantschapinteelt verwantschap",
      rule(73),
      rule(73),
      separator,
      "      Verwantschap tussen Subpopulaties",
      "           1 - " + pad("S1", 20),
      "           2 - " + pad("S2", 20),
      rule(73),
      " subpop1         1",
      " subpop2         2",
      rule(73),
      rule(73),
  };
  EXPECT_EQ(out.report(), expected);
}

TEST(SubpopKinshipReport, MoreThan999PairColumns) {
  captured_report out(true);
  const std::int64_t n = 46, pairs = n * (n - 1) / 2;
  ASSERT_EQ(pairs, 1035);
  set_codes(out.ctx.cfg, n);
  year_table<float> k;
  allocate_year_table(k, 1, 2 * n + pairs);
  k(1, 2 * n + pairs) = 0.125f;  // the pair (45, 46)
  k(1, 2 * n + 1) = 0.25f;       // the pair (1, 2)
  write_subpop_kinship_report(out.ctx, 1995, 1995, 1, k);
  std::vector<std::string> lines = out.report();
  ASSERT_EQ(lines.size(), 8u + 2u + n + 6u);
  const std::size_t first_pair_line = 8 + 2 + static_cast<std::size_t>(n) + 1;
  const std::string& subpop1 = lines[first_pair_line];
  const std::string& subpop2 = lines[first_pair_line + 1];
  const std::string& row = lines[first_pair_line + 3];
  EXPECT_EQ(subpop1.size(), static_cast<std::size_t>(8 + 10 * pairs));
  EXPECT_EQ(subpop1.substr(subpop1.size() - 20), "        44        45");
  EXPECT_EQ(subpop2.substr(subpop2.size() - 20), "        46        46");
  EXPECT_EQ(row.size(), static_cast<std::size_t>(8 + 10 * pairs));
  EXPECT_EQ(row.substr(0, 18), "    1995    0.2500");
  EXPECT_EQ(row.substr(row.size() - 10), "    0.1250");
  EXPECT_EQ(lines[6].size(), static_cast<std::size_t>(8 + 10 * 2 * n));
}

}  // namespace
}  // namespace veldmarsh
