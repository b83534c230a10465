// The analysis of one subpopulation: when the steering file names more than
// one subpopulation, the per-year analysis of the whole population is
// repeated for the animals of each one (its members), in tables of its own,
// with its own yearly change and rates of inbreeding taken from the mean
// inbreeding and kinship within the subpopulation, and its tables are
// written to the report file under an asterisk banner. A subpopulation's
// report has no litter-size table, no summary and no subpopulation tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/animal_record.h"
#include "common/rate_formulas.h"
#include "common/run_context.h"
#include "common/year_range.h"
#include "common/year_table.h"
#include "reports/breeder_list.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// What one analysis leaves for later: one set shared by all subpopulations
// and overwritten by each analysis, so it holds the last one analysed.
struct subpop_analysis_values {
  std::string subpop_run_date;                          // yyyymmdd of the start line
  std::string subpop_run_time;                          // hhmmss.sss of the start line
  population_total_set subpop_population_totals{};      // column totals of the population-size table
  std::array<float, 2> subpop_overall_parent_ages{};    // mean age of sires, of dams (years)
  std::int32_t subpop_top_female_row = 0;               // 0: no female member
  inbreeding_rate_set subpop_inbreeding_rates{};        // layout of the whole population's rates
};

// Columns 2 x isub - 1 (mean inbreeding) and 2 x isub (mean kinship) of
// `year_subpop_kinship`, as an (n_rows, 2) table; zeros where the table has
// no such column.
year_table<float> subpop_kinship_columns(const year_table<float>& year_subpop_kinship, std::int32_t isub);

// The yearly inbreeding of one subpopulation: its table (n_years x 6: mean
// F and mean kinship, then the yearly relative change of each, then two
// columns of 0) and its four rates.
struct subpop_inbreeding_tables {
  year_table<float> year_inbreeding;
  inbreeding_rate_set rates{};
};

// The subpopulation's yearly inbreeding from its two kinship columns: the
// relative change of mean F and of mean kinship only in years whose mean F
// is above 0; the rates by the power formula over all n_years years with
// the exponent 1/n_years, then the least-squares slopes of the two means on
// the row number (no logarithm). A rate that needs a missing row or divides
// by 0 is 0.
void calc_subpop_inbreeding(const year_range& years, const year_table<float>& subpop_kinship,
                            subpop_inbreeding_tables& inbreeding);

// The analysis of subpopulation `isub` (entry isub of the settings'
// `subpop_codes`): start lines on the console and in the log, then, when it
// has members, its yearly counts, top sires, inbreeding and its report.
// `subpop_kinship` holds its two columns of the kinship table on the kinship
// scale (subpop_kinship_columns). All its tables are released before it
// returns.
void analyse_subpopulation(run_context& ctx, const animal_table& animal, const year_range& years,
                           const breeder_tables& breeders, std::int32_t isub, const year_table<float>& subpop_kinship,
                           subpop_analysis_values& values);

// The subpopulation's report: the banner with its code, then the tables of
// population size, imports (with an import column), litters, offspring per
// parent, ages of parents, generation interval, completeness, top sires,
// colours (with a colour column), breeders (with a breeder column) and
// inbreeding, from its yearly counts once the non-parents and the
// percentages of the top sires are in them.
void write_subpopulation_reports(run_context& ctx, const animal_table& animal, const year_range& years,
                                 const breeder_tables& breeders, std::int32_t isub, const year_count_tables& counts,
                                 const subpop_inbreeding_tables& inbreeding);

}  // namespace veldmarsh
