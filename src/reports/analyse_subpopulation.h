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
#include "common/run_context.h"
#include "common/year_table.h"
#include "reports/breeder_list.h"
#include "reports/population_tables.h"
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
  std::array<float, 4> subpop_inbreeding_rates{};       // layout of the whole population's rates
};

// Columns 2 x isub - 1 (mean inbreeding) and 2 x isub (mean kinship) of
// `year_subpop_kinship`, as an (n_rows, 2) table; zeros where the table has
// no such column.
year_table<float> subpop_kinship_columns(const year_table<float>& year_subpop_kinship, std::int32_t isub);

// The subpopulation's yearly inbreeding table (n_years x 6) from its two
// kinship columns: mean F and mean kinship, then the yearly relative change
// of each (only in years whose mean F is above 0), then two columns of 0.
// Also its rates: the power formula over all n_years years with the
// exponent 1/n_years, then the least-squares slopes of the two means on the
// row number (no logarithm). A rate that needs a missing row or divides by 0
// is 0.
void calc_subpop_inbreeding(std::int64_t n_years, const year_table<float>& subpop_kinship,
                            year_table<float>& subpop_year_inbreeding, std::array<float, 4>& subpop_inbreeding_rates);

// The analysis of subpopulation `isub` (entry isub of the settings'
// `subpop_codes`): start lines on the console and in the log, then, when it
// has members, its per-year counting, top sires, inbreeding and its report.
// `subpop_kinship` holds its two columns of the kinship table
// (subpop_kinship_columns). All its tables are released before it returns.
void analyse_subpopulation(run_context& ctx, const animal_table& animal, std::int32_t isub, std::int64_t n_years,
                           std::int32_t first_year, std::int32_t last_year, std::int32_t n_top_breeders,
                           const std::vector<breeder_name>& breeder_list, const year_table<float>& subpop_kinship,
                           subpop_analysis_values& values);

// The subpopulation's report: the banner with its code, then the tables of
// population size, imports (with an import column), litters, offspring per
// parent, ages of parents, generation interval, completeness, top sires,
// colours (with a colour column), breeders (with a breeder column) and
// inbreeding. The population-size table turns columns 1 and 4 of
// `counts.parent_counts_by_year` into non-parents, the top-sire table the
// shares into percentages, and every 0 of `top_sires.top_sire_by_year`
// becomes 1. `top_male_row` and `top_female_row` are 0 when the
// subpopulation has no member of that sex (a blank record is shown).
void write_subpopulation_reports(run_context& ctx, const animal_table& animal, std::int32_t isub,
                                 std::int64_t n_years, std::int32_t first_year, std::int32_t last_year,
                                 year_count_tables& counts, std::int32_t max_sire_age, std::int32_t max_dam_age,
                                 std::int32_t top_male_row, std::int32_t top_female_row,
                                 const year_table<float>& mean_equiv_generations_by_year,
                                 const year_table<float>& completeness_by_year, std::int32_t n_top_breeders,
                                 const year_table<std::int32_t>& breeder_year_counts,
                                 const std::vector<breeder_name>& breeder_list,
                                 const year_table<float>& subpop_year_inbreeding,
                                 const std::array<float, 4>& subpop_inbreeding_rates, top_sire_tables& top_sires,
                                 population_total_set& subpop_population_totals);

}  // namespace veldmarsh
