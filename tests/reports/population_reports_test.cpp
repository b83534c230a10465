// The report block of the whole population: which tables it writes, in
// which order, under which conditions; and the release after it.
#include "reports/population_reports.h"

#include <gtest/gtest.h>

#include "report_test_support.h"

namespace veldmarsh {
namespace {

using report_testing::captured_report;

struct population_tables {
  year_table<std::int32_t> births_by_subpop, parent_subpop, breeder_year_counts;
  year_count_tables counts;
  top_sire_tables top_sires;
  year_table<float> year_inbreeding, year_subpop_kinship;
  std::vector<breeder_name> breeder_list{make_text<20>("Kennel")};
};

population_tables two_years_two_subpops() {
  population_tables t;
  allocate_year_table(t.births_by_subpop, 2, 2);
  allocate_year_table(t.parent_subpop, 2, 2);
  allocate_year_table(t.breeder_year_counts, 2, 4);
  allocate_year_table(t.counts.sire_age_count, 2, 1);
  allocate_year_table(t.counts.dam_age_count, 2, 1);
  allocate_year_table(t.counts.parent_counts_by_year, 2, 6);
  allocate_year_table(t.counts.import_parent_counts_by_year, 2, 4);
  allocate_year_table(t.counts.offspring_stats_by_year, 2, 6);
  allocate_year_table(t.counts.litter_stats, 2, 102);
  allocate_year_table(t.counts.mean_sire_age_by_year, 2, 1);
  allocate_year_table(t.counts.mean_dam_age_by_year, 2, 1);
  allocate_year_table(t.counts.colour_counts_by_year, 2, 2);
  allocate_year_table(t.top_sires.top_sire_share, 2, 10);
  allocate_year_table(t.year_inbreeding, 2, 6);
  allocate_year_table(t.year_subpop_kinship, 2, 5);
  return t;
}

// The titles the block wrote, in order.
std::vector<std::string> titles(const std::vector<std::string>& lines) {
  const std::vector<std::string> known = {"SUBPOPULATIONs",
                                          "Descent of",
                                          "IMPORT:",
                                          "COLOUR VARIETIES",
                                          "Main Breeders",
                                          "INBREEDING",
                                          "Summary population",
                                          "within Subpopulations",
                                          "Kinship between"};
  std::vector<std::string> found;
  for (const std::string& line : lines)
    for (const std::string& k : known)
      if (line.find(k) != std::string::npos) found.push_back(k);
  return found;
}

TEST(PopulationReports, EveryTableInItsOrder) {
  captured_report out(true);
  settings& cfg = out.ctx.cfg;
  cfg.n_subpop = 2;
  cfg.subpop_codes = {make_text<20>("A"), make_text<20>("B")};
  cfg.has_import_column = cfg.has_colour_column = cfg.has_breeder_column = true;
  cfg.n_colour_classes = 2;
  cfg.colour_codes = {make_text<40>("Onbekend"), make_text<40>("niet erkend")};
  population_tables t = two_years_two_subpops();
  write_population_reports(out.ctx, 2001, 2000, 2, t.births_by_subpop, t.parent_subpop, t.counts, 1,
                           t.breeder_year_counts, t.breeder_list, t.year_inbreeding, {0, 0, 0, 0}, 3.0f, 1, 1,
                           t.top_sires, t.year_subpop_kinship);
  EXPECT_EQ(titles(out.report()),
            (std::vector<std::string>{"SUBPOPULATIONs", "Descent of", "IMPORT:", "COLOUR VARIETIES", "Main Breeders",
                                      "INBREEDING", "Summary population", "within Subpopulations", "Kinship between"}));
}

TEST(PopulationReports, OneSubpopulationAndNoOptionalColumns) {
  captured_report out(true);
  out.ctx.cfg.n_subpop = 1;
  out.ctx.cfg.subpop_codes = {make_text<20>("A")};
  population_tables t = two_years_two_subpops();
  write_population_reports(out.ctx, 2001, 2000, 2, t.births_by_subpop, t.parent_subpop, t.counts, 0,
                           t.breeder_year_counts, t.breeder_list, t.year_inbreeding, {0, 0, 0, 0}, 3.0f, 1, 1,
                           t.top_sires, t.year_subpop_kinship);
  EXPECT_EQ(titles(out.report()), (std::vector<std::string>{"INBREEDING", "Summary population"}));
}

TEST(PopulationReports, ReleaseKeepsTheOverallParentAges) {
  population_tables t = two_years_two_subpops();
  t.counts.overall_parent_ages = {3.5f, 2.5f};
  release_year_count_tables(t.counts);
  EXPECT_TRUE(t.counts.litter_stats.cells.empty());
  EXPECT_EQ(t.counts.parent_counts_by_year.n_rows, 0);
  EXPECT_EQ(t.counts.colour_counts_by_year.n_cols, 0);
  EXPECT_TRUE(t.counts.import_parent_counts_by_year.cells.empty());
  EXPECT_EQ(t.counts.overall_parent_ages[0], 3.5f);
}

}  // namespace
}  // namespace veldmarsh
