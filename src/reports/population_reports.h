// The report block of the whole population, after the rates of inbreeding:
// the subpopulation tables, the import, colour and breeder tables, the
// inbreeding report, the summary and the subpopulation kinship tables, each
// under its condition.
#pragma once

#include "common/rate_formulas.h"
#include "common/run_context.h"
#include "common/year_range.h"
#include "inbreeding/inbreeding_results.h"
#include "reports/breeder_list.h"
#include "reports/subpopulations.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Writes, in this order: the subpopulation tables (more than one
// subpopulation), the import table (with an import column), the colour table
// (with a colour column), the breeder table (with a breeder column), the
// inbreeding report, the summary, and the subpopulation kinship tables (more
// than one subpopulation). The yearly counts hold the non-parents and the
// top sires' percentages by now, and `inbreeding` kinships.
void write_population_reports(run_context& ctx, const year_range& years, const breeder_tables& breeders,
                              const subpop_counts& subpops, const year_count_tables& counts,
                              const inbreeding_results& inbreeding, const inbreeding_rate_set& rates);

}  // namespace veldmarsh
