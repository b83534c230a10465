// The analysis of one subpopulation (see the header). It reuses the yearly
// counting, the top-sire search and every report writer of the whole
// population, with tables of its own that live for one call.
#include "reports/analyse_subpopulation.h"

#include <math.h>

#include <cassert>
#include <span>

#include "common/free_format.h"
#include "reports/import_colour_breeder_tables.h"
#include "reports/parent_age_tables.h"
#include "reports/parent_ages.h"
#include "reports/pedigree_completeness.h"
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

// 1 - ((1 - last) / (1 - first)) ^ (1 / n): 0 without a row or with a divisor of 0.
float power_rate(float last, float first, std::int64_t n) {
  if (n < 1) return 0.0f;
  const float base = 1.0f - first;
  if (base == 0.0f) return 0.0f;
  return 1.0f - powf((1.0f - last) / base, 1.0f / static_cast<float>(n));
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

void calc_subpop_inbreeding(std::int64_t n_years, const year_table<float>& subpop_kinship,
                            year_table<float>& subpop_year_inbreeding, std::array<float, 4>& subpop_inbreeding_rates) {
  const std::int64_t n = n_years > 0 ? n_years : 0;
  year_table<float>& y = subpop_year_inbreeding;
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
  subpop_inbreeding_rates = {0.0f, 0.0f, 0.0f, 0.0f};
  if (n < 1) return;
  subpop_inbreeding_rates[0] = power_rate(y(n, 1), y(1, 1), n);
  subpop_inbreeding_rates[1] = power_rate(y(n, 2), y(1, 2), n);
  std::vector<std::int32_t> x(static_cast<std::size_t>(n));
  std::vector<float> mean_f(static_cast<std::size_t>(n)), mean_kinship(static_cast<std::size_t>(n));
  for (std::int64_t k = 1; k <= n; ++k) {
    x[static_cast<std::size_t>(k - 1)] = static_cast<std::int32_t>(k);
    mean_f[static_cast<std::size_t>(k - 1)] = y(k, 1);
    mean_kinship[static_cast<std::size_t>(k - 1)] = y(k, 2);
  }
  calc_regression_slope(n, x, mean_f, subpop_inbreeding_rates[2]);
  calc_regression_slope(n, x, mean_kinship, subpop_inbreeding_rates[3]);
}

void analyse_subpopulation(run_context& ctx, const animal_table& animal, std::int32_t isub, std::int64_t n_years,
                           std::int32_t first_year, std::int32_t last_year, std::int32_t n_top_breeders,
                           const std::vector<breeder_name>& breeder_list, const year_table<float>& subpop_kinship,
                           subpop_analysis_values& values) {
  const settings& cfg = ctx.cfg;
  assert(isub >= 1 && isub <= static_cast<std::int32_t>(cfg.subpop_codes.size()));
  if (isub < 1 || isub > static_cast<std::int32_t>(cfg.subpop_codes.size())) return;
  const fixed_text<20> code = cfg.subpop_codes[static_cast<std::size_t>(isub - 1)];

  // The start time is the analysis's own; the run's last reading is left as it is.
  const clock_reading start = ctx.clock();
  values.subpop_run_date = start.date;
  values.subpop_run_time = start.time;
  std::vector<bool> members(static_cast<std::size_t>(animal.size()) + 1, false);
  std::int64_t n_members = 0;
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    if (animal[i].subpop_code == code) {
      members[static_cast<std::size_t>(i)] = true;
      ++n_members;
    }

  write_free_line(ctx.console, {cfg.english ? "monitor data per year for " : "monitor gegevens per jaar voor ", code});
  write_start_line(ctx, code, values);
  if (n_members == 0) {
    write_free_line(ctx.console,
                    {cfg.english ? "No animals present with breed code " : "Geen dieren aanwezig met rascode ", code});
    return;
  }

  // Age classes as wide as the oldest parents of the members.
  std::int32_t max_sire_age = 0, max_dam_age = 0;
  calc_max_parent_ages(animal, &members, max_sire_age, max_dam_age);
  year_count_tables counts;
  allocate_year_count_tables(ctx, counts, n_years, max_sire_age, max_dam_age);
  write_free_line(ctx.console, {"maxages = ", max_sire_age, max_dam_age});
  year_table<float> mean_equiv_generations_by_year, completeness_by_year;
  allocate_completeness_tables(ctx, n_years, mean_equiv_generations_by_year, completeness_by_year);
  year_table<std::int32_t> breeder_year_counts;
  allocate_breeder_year_counts(ctx, breeder_year_counts, n_years, n_top_breeders);

  // The yearly loop over the members, with their completeness per year.
  const counting_scope scope{&members, &code, &mean_equiv_generations_by_year, &completeness_by_year};
  count_by_birth_year(ctx, animal, n_years, first_year, breeder_list, n_top_breeders, counts, breeder_year_counts,
                      scope);
  convert_mean_ages_to_years(counts);
  calc_overall_parent_ages(animal, &members, counts.overall_parent_ages);
  values.subpop_overall_parent_ages = counts.overall_parent_ages;

  // The members with the most offspring; 0 when there is no member of that sex.
  const std::int32_t top_male_row = choose_top_parent(animal, 1, &members);
  values.subpop_top_female_row = choose_top_parent(animal, 2, &members);

  year_table<float> subpop_year_inbreeding;
  calc_subpop_inbreeding(n_years, subpop_kinship, subpop_year_inbreeding, values.subpop_inbreeding_rates);

  // Top sires over the members' records, in table order; the sires found
  // are numbers of the whole table.
  top_sire_tables top_sires;
  allocate_top_sire_tables(ctx, top_sires, n_years);
  {
    std::vector<animal_record> member_records;
    member_records.reserve(static_cast<std::size_t>(n_members));
    for (std::int64_t i = 1; i <= animal.size(); ++i)
      if (members[static_cast<std::size_t>(i)]) member_records.push_back(animal[i]);
    calc_top_sire_shares(ctx, member_records, n_years, first_year, top_sires.n_sires_by_year, top_sires.top_sire_share,
                         top_sires.top_sire_by_year);
  }
  write_free_line(ctx.console, {"endtopsire"});

  write_free_line(ctx.console, {"write results"});
  write_subpopulation_reports(ctx, animal, isub, n_years, first_year, last_year, counts, max_sire_age, max_dam_age,
                              top_male_row, values.subpop_top_female_row, mean_equiv_generations_by_year,
                              completeness_by_year, n_top_breeders, breeder_year_counts, breeder_list,
                              subpop_year_inbreeding, values.subpop_inbreeding_rates, top_sires,
                              values.subpop_population_totals);
  // The tables of the call go with it.
}

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
                                 population_total_set& subpop_population_totals) {
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

  write_population_size_report(ctx, last_year, first_year, n_years, animal, counts.parent_counts_by_year,
                               subpop_population_totals);
  if (cfg.has_import_column)
    write_import_report(ctx, last_year, first_year, n_years, counts.import_parent_counts_by_year);
  write_litter_report(ctx, last_year, first_year, n_years, counts.litter_stats, subpop_population_totals);
  write_offspring_per_parent_report(ctx, last_year, first_year, n_years, counts.offspring_stats_by_year,
                                    top_parent_record(animal, top_male_row), top_parent_record(animal, top_female_row));
  write_parent_age_report(ctx, last_year, first_year, n_years, max_sire_age, counts.sire_age_count, max_dam_age,
                          counts.dam_age_count);
  const float generation_interval =
      write_generation_interval_report(ctx, last_year, first_year, counts.mean_sire_age_by_year,
                                       counts.mean_dam_age_by_year, counts.overall_parent_ages);
  write_completeness_report(ctx, last_year, first_year, n_years, mean_equiv_generations_by_year, completeness_by_year);
  const std::vector<animal_record> top_sire_records = gather_top_sire_records(animal, top_sires.top_sire_by_year);
  write_top_sire_report(ctx, last_year, first_year, n_years, top_sires.n_sires_by_year, top_sires.top_sire_share,
                        top_sire_records);
  if (cfg.has_colour_column) write_colour_report(ctx, last_year, first_year, n_years, counts.colour_counts_by_year);
  if (cfg.has_breeder_column)
    write_breeder_report(ctx, last_year, first_year, n_years, n_top_breeders, breeder_year_counts, breeder_list);
  write_inbreeding_report(ctx, last_year, first_year, n_years, subpop_year_inbreeding, subpop_inbreeding_rates,
                          generation_interval);
}

}  // namespace veldmarsh
