// The whole population's report block and the release after it (see the
// header).
#include "reports/population_reports.h"

#include "reports/import_colour_breeder_tables.h"
#include "reports/population_summary.h"
#include "reports/subpop_kinship_tables.h"
#include "reports/subpopulations.h"
#include "reports/write_inbreeding_report.h"

namespace veldmarsh {

void write_population_reports(run_context& ctx, std::int32_t last_year, std::int32_t first_year, std::int64_t n_years,
                              const year_table<std::int32_t>& births_by_subpop,
                              const year_table<std::int32_t>& parent_subpop, const year_count_tables& counts,
                              std::int32_t n_top_breeders, const year_table<std::int32_t>& breeder_year_counts,
                              const std::vector<breeder_name>& breeder_list, const year_table<float>& year_inbreeding,
                              const std::array<float, 4>& inbreeding_rates, float generation_interval,
                              std::int32_t max_sire_age, std::int32_t max_dam_age, const top_sire_tables& top_sires,
                              const year_table<float>& year_subpop_kinship) {
  const settings& cfg = ctx.cfg;
  if (cfg.n_subpop > 1)
    write_subpopulation_tables(ctx, last_year, first_year, n_years, births_by_subpop, parent_subpop);
  if (cfg.has_import_column)
    write_import_report(ctx, last_year, first_year, n_years, counts.import_parent_counts_by_year);
  if (cfg.has_colour_column) write_colour_report(ctx, last_year, first_year, n_years, counts.colour_counts_by_year);
  if (cfg.has_breeder_column)
    write_breeder_report(ctx, last_year, first_year, n_years, n_top_breeders, breeder_year_counts, breeder_list);
  write_inbreeding_report(ctx, last_year, first_year, n_years, year_inbreeding, inbreeding_rates, generation_interval);
  write_population_summary(ctx, n_years, first_year, max_sire_age, max_dam_age, counts.parent_counts_by_year,
                           top_sires.top_sire_share, counts.sire_age_count, counts.dam_age_count, counts.litter_stats);
  if (cfg.n_subpop > 1) write_subpop_kinship_report(ctx, last_year, first_year, n_years, year_subpop_kinship);
}

void release_year_count_tables(year_count_tables& counts) {
  counts.sire_age_count = {};
  counts.dam_age_count = {};
  counts.parent_counts_by_year = {};
  counts.offspring_stats_by_year = {};
  counts.colour_counts_by_year = {};
  counts.litter_stats = {};
  counts.mean_sire_age_by_year = {};
  counts.mean_dam_age_by_year = {};
  counts.import_parent_counts_by_year = {};
}

}  // namespace veldmarsh
