// The report block of the whole population, after the rates of inbreeding:
// the subpopulation tables, the import, colour and breeder tables, the
// inbreeding report, the summary and the subpopulation kinship tables, each
// under its condition; and the release of the yearly counting tables that
// the analyses of the subpopulations do not need.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/run_context.h"
#include "common/year_table.h"
#include "reports/breeder_list.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Writes, in this order: the subpopulation tables (more than one
// subpopulation), the import table (with an import column), the colour table
// (with a colour column), the breeder table (with a breeder column), the
// inbreeding report, the summary, and the subpopulation kinship tables (more
// than one subpopulation). `year_inbreeding` holds kinships by now and
// `counts.parent_counts_by_year` and `top_sires.top_sire_share` are as the
// population-size and top-sire tables left them.
void write_population_reports(run_context& ctx, std::int32_t last_year, std::int32_t first_year, std::int64_t n_years,
                              const year_table<std::int32_t>& births_by_subpop,
                              const year_table<std::int32_t>& parent_subpop, const year_count_tables& counts,
                              std::int32_t n_top_breeders, const year_table<std::int32_t>& breeder_year_counts,
                              const std::vector<breeder_name>& breeder_list, const year_table<float>& year_inbreeding,
                              const std::array<float, 4>& inbreeding_rates, float generation_interval,
                              std::int32_t max_sire_age, std::int32_t max_dam_age, const top_sire_tables& top_sires,
                              const year_table<float>& year_subpop_kinship);

// Frees the per-year tables of parents, offspring, litters, ages, colours
// and imports once the whole population is reported; `overall_parent_ages`
// stays.
void release_year_count_tables(year_count_tables& counts);

}  // namespace veldmarsh
