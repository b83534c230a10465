// The whole population's report block (see the header).
#include "reports/population_reports.h"

#include <cassert>

#include "reports/import_colour_breeder_tables.h"
#include "reports/population_summary.h"
#include "reports/subpop_kinship_tables.h"
#include "reports/write_inbreeding_report.h"

namespace veldmarsh {

void write_population_reports(run_context& ctx, const year_range& years, const breeder_tables& breeders,
                              const subpop_counts& subpops, const year_count_tables& counts,
                              const inbreeding_results& inbreeding, const inbreeding_rate_set& rates) {
  assert(inbreeding.kinship_scale);
  const settings& cfg = ctx.cfg;
  if (cfg.n_subpop > 1) write_subpopulation_tables(ctx, years, subpops);
  if (cfg.has_import_column) write_import_report(ctx, years, counts.import_parent_counts_by_year);
  if (cfg.has_colour_column) write_colour_report(ctx, years, counts.colour_counts_by_year);
  if (cfg.has_breeder_column) write_breeder_report(ctx, years, breeders, counts.breeder_year_counts);
  write_inbreeding_report(ctx, years, inbreeding.year_inbreeding, rates, counts.generation_interval);
  write_population_summary(ctx, years, counts);
  if (cfg.n_subpop > 1) write_subpop_kinship_report(ctx, years, inbreeding.year_subpop_kinship);
}

}  // namespace veldmarsh
