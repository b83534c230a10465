// The analysis of one subpopulation (see the header). It reuses the yearly
// counting, the top-sire search and every report writer of the whole
// population, with tables of its own that live for one call.
#include "reports/analyse_subpopulation.h"

#include <cassert>

#include "common/birth_year_groups.h"
#include "common/free_format.h"
#include "common/rate_formulas.h"
#include "reports/import_colour_breeder_tables.h"
#include "reports/parent_age_tables.h"
#include "reports/parent_ages.h"
#include "reports/pedigree_completeness.h"
#include "reports/population_tables.h"
#include "reports/top_sire_tables.h"
#include "reports/top_sires.h"
#include "reports/write_inbreeding_report.h"
#include "reports/yearly_counting.h"

namespace veldmarsh {

namespace {

// Characters [from, from + n) of a clock reading, blank-padded when short.
std::string clock_part(const std::string& s, std::size_t from, std::size_t n) {
  std::string out = from < s.size() ? s.substr(from, n) : std::string();
  out.resize(n, ' ');
  return out;
}

// The log line that opens the analysis, with the time it started.
void write_start_line(run_context& ctx, const fixed_text<20>& code, const subpop_analysis_values& values) {
  const std::string& d = values.subpop_run_date;
  const std::string& t = values.subpop_run_time;
  const std::string day = clock_part(d, 6, 2), month = clock_part(d, 4, 2), year = clock_part(d, 0, 4);
  const std::string hour = clock_part(t, 0, 2), minute = clock_part(t, 2, 2), second = clock_part(t, 4, 6);
  if (ctx.cfg.english)
    write_free_line(ctx.log, {"Analysis of subpopulation ", code, "started at ", day, "/", month, "/", year, " on ",
                              hour, ".", minute, " and ", second, " s"});
  else
    write_free_line(ctx.log, {"Analyse van subpopulatie ", code, "gestart op ", day, "/", month, "/", year, " om ",
                              hour, ".", minute, " and ", second, " s"});
}

}  // namespace

year_table<float> subpop_kinship_columns(const year_table<float>& year_subpop_kinship, std::int32_t isub) {
  year_table<float> columns;
  allocate_year_table(columns, year_subpop_kinship.n_rows, 2);
  for (std::int64_t k = 1; k <= columns.n_rows; ++k)
    for (std::int64_t c = 1; c <= 2; ++c) {
      const std::int64_t source = 2LL * isub - 2 + c;
      if (source >= 1 && source <= year_subpop_kinship.n_cols) columns(k, c) = year_subpop_kinship(k, source);
    }
  return columns;
}

void calc_subpop_inbreeding(const year_range& years, const year_table<float>& subpop_kinship,
                            subpop_inbreeding_tables& inbreeding) {
  const std::int64_t n = years.n_years;
  year_table<float>& y = inbreeding.year_inbreeding;
  allocate_year_table(y, n, 6);
  for (std::int64_t k = 1; k <= n && k <= subpop_kinship.n_rows; ++k) {
    y(k, 1) = subpop_kinship(k, 1);
    y(k, 2) = subpop_kinship(k, 2);
  }
  // The yearly relative change of mean F and mean kinship, written only in
  // years whose mean F is above 0 (a year of mean F 0 keeps 0 in both).
  for (std::int64_t r = 2; r <= n; ++r) {
    if (!(y(r, 1) > 0.0f)) continue;
    const float f_base = 1.0f - y(r - 1, 1);
    const float kinship_base = 1.0f - y(r - 1, 2);
    y(r, 3) = f_base == 0.0f ? 0.0f : (y(r, 1) - y(r - 1, 1)) / f_base;
    y(r, 4) = kinship_base == 0.0f ? 0.0f : (y(r, 2) - y(r - 1, 2)) / kinship_base;
  }
  // Power formula over the whole series, exponent 1/n; then the plain slopes
  // of the means on the row number.
  inbreeding_rate_set& rates = inbreeding.rates;
  rates = {0.0f, 0.0f, 0.0f, 0.0f};
  if (n < 1) return;
  rates[0] = power_rate(y(n, 1), y(1, 1), n);
  rates[1] = power_rate(y(n, 2), y(1, 2), n);
  std::vector<std::int32_t> x(static_cast<std::size_t>(n));
  std::vector<float> mean_f(static_cast<std::size_t>(n)), mean_kinship(static_cast<std::size_t>(n));
  for (std::int64_t k = 1; k <= n; ++k) {
    x[static_cast<std::size_t>(k - 1)] = static_cast<std::int32_t>(k);
    mean_f[static_cast<std::size_t>(k - 1)] = y(k, 1);
    mean_kinship[static_cast<std::size_t>(k - 1)] = y(k, 2);
  }
  calc_regression_slope(n, x, mean_f, rates[2]);
  calc_regression_slope(n, x, mean_kinship, rates[3]);
}

void analyse_subpopulation(run_context& ctx, const animal_table& animal, const year_range& years,
                           const breeder_tables& breeders, std::int32_t isub, const year_table<float>& subpop_kinship,
                           subpop_analysis_values& values) {
  const settings& cfg = ctx.cfg;
  assert(isub >= 1 && isub <= static_cast<std::int32_t>(cfg.subpop_codes.size()));
  if (isub < 1 || isub > static_cast<std::int32_t>(cfg.subpop_codes.size())) return;
  const fixed_text<20> code = cfg.subpop_codes[static_cast<std::size_t>(isub - 1)];

  // The start time is the analysis's own; the run's last reading is left as it is.
  const clock_reading start = ctx.clock();
  values.subpop_run_date = start.date;
  values.subpop_run_time = start.time;
  // The members, found in one pass over the table with what is summed over
  // them alone: their birth-year rows, their parents' ages and the members
  // with the most offspring. Every step below touches only them.
  const std::int64_t code_number = find_text<text_field::subpop_code>(animal.texts, code.view());
  std::vector<std::int32_t> members, member_rows;
  parent_age_sums ages;
  top_parent_search top_parents;
  for (std::int64_t i = 1; code_number >= 0 && i <= animal.size(); ++i) {
    const animal_record& a = animal[i];
    if (a.subpop_code.number != code_number) continue;
    members.push_back(static_cast<std::int32_t>(i));
    member_rows.push_back(static_cast<std::int32_t>(years.row_of(a.birth_year)));
    add_parent_ages(ages, a);
    add_top_parent_candidate(top_parents, i, a);
  }
  const std::int64_t n_members = static_cast<std::int64_t>(members.size());

  write_free_line(ctx.console, {cfg.english ? "monitor data per year for " : "monitor gegevens per jaar voor ", code});
  write_start_line(ctx, code, values);
  if (n_members == 0) {
    write_free_line(ctx.console,
                    {cfg.english ? "No animals present with breed code " : "Geen dieren aanwezig met rascode ", code});
    return;
  }

  // Age classes as wide as the oldest parents of the members.
  year_count_tables counts;
  allocate_year_count_tables(ctx, years, oldest_parents_of(ages), breeders.n_top_breeders, counts);
  write_free_line(ctx.console, {"maxages = ", counts.oldest.max_sire_age, counts.oldest.max_dam_age});

  // The yearly loop over the members, with their completeness per year.
  const birth_year_groups groups = group_by_rows(ctx, years, members, member_rows);
  count_by_birth_year(ctx, animal, groups, breeders, counts, &code);
  count_completeness_by_year(animal, groups, counts.completeness);
  calc_mean_parent_ages(ages, counts);
  values.subpop_overall_parent_ages = counts.overall_parent_ages;

  // The members with the most offspring; 0 when there is no member of that sex.
  set_top_parents(top_parents, counts);
  values.subpop_top_female_row = counts.top_female_nr;

  subpop_inbreeding_tables inbreeding;
  calc_subpop_inbreeding(years, subpop_kinship, inbreeding);
  values.subpop_inbreeding_rates = inbreeding.rates;

  // Top sires of the members' young; the sires are numbers of the whole table.
  calc_top_sire_shares(ctx, animal, groups, counts.top_sires);
  write_free_line(ctx.console, {"endtopsire"});

  count_non_parents(counts);
  values.subpop_population_totals = counts.population_totals;
  convert_shares_to_percentages(counts.top_sires);
  write_free_line(ctx.console, {"write results"});
  write_subpopulation_reports(ctx, animal, years, breeders, isub, counts, inbreeding);
  // The tables of the call go with it.
}

void write_subpopulation_reports(run_context& ctx, const animal_table& animal, const year_range& years,
                                 const breeder_tables& breeders, std::int32_t isub, const year_count_tables& counts,
                                 const subpop_inbreeding_tables& inbreeding) {
  const settings& cfg = ctx.cfg;
  assert(isub >= 1 && isub <= static_cast<std::int32_t>(cfg.subpop_codes.size()));
  output_channel& report = ctx.report;

  // The banner; by the free-format rules every line begins with one more
  // blank, so the closing asterisk of the code line stands in column 33.
  const std::string frame = std::string(10, ' ') + std::string(42, '*');
  write_free_line(report, {"          "});
  write_free_line(report, {frame});
  write_free_line(report, {"          *", cfg.subpop_codes[static_cast<std::size_t>(isub - 1)], "*"});
  write_free_line(report, {frame});
  write_free_line(report, {"          "});

  write_population_size_report(ctx, years, animal, counts.parent_counts_by_year, counts.population_totals);
  if (cfg.has_import_column) write_import_report(ctx, years, counts.import_parent_counts_by_year);
  write_litter_report(ctx, years, counts.litter_stats, counts.population_totals);
  write_offspring_per_parent_report(ctx, years, counts.offspring_stats_by_year,
                                    top_parent_record(animal, counts.top_male_nr),
                                    top_parent_record(animal, counts.top_female_nr));
  write_parent_age_report(ctx, years, counts.oldest, counts.sire_age_count, counts.dam_age_count);
  write_generation_interval_report(ctx, years, counts.mean_sire_age_by_year, counts.mean_dam_age_by_year,
                                   counts.overall_parent_ages, counts.generation_interval);
  write_completeness_report(ctx, years, counts.completeness);
  write_top_sire_report(ctx, years, counts.top_sires, gather_top_sire_records(animal, counts.top_sires));
  if (cfg.has_colour_column) write_colour_report(ctx, years, counts.colour_counts_by_year);
  if (cfg.has_breeder_column) write_breeder_report(ctx, years, breeders, counts.breeder_year_counts);
  write_inbreeding_report(ctx, years, inbreeding.year_inbreeding, inbreeding.rates, counts.generation_interval);
}

}  // namespace veldmarsh
