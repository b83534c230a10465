// The release of the yearly count tables after the population's report.
#include "reports/population_reports.h"

#include <gtest/gtest.h>

#include "report_test_support.h"

namespace veldmarsh {
namespace {

// Which tables the block writes, and in which order, is held by the
// end-to-end cases (all optional columns and subpopulations, and none).
TEST(PopulationReports, ReleaseKeepsTheOverallParentAges) {
  year_count_tables counts;
  allocate_year_table(counts.litter_stats, 2, 102);
  allocate_year_table(counts.parent_counts_by_year, 2, 6);
  counts.overall_parent_ages = {3.5f, 2.5f};
  release_year_count_tables(counts);
  EXPECT_TRUE(counts.litter_stats.cells.empty());
  EXPECT_EQ(counts.parent_counts_by_year.n_rows, 0);
  EXPECT_EQ(counts.overall_parent_ages[0], 3.5f);
  EXPECT_EQ(counts.overall_parent_ages[1], 2.5f);
}

}  // namespace
}  // namespace veldmarsh
