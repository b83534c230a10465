// The run order. Each phase is a routine of its own; this file calls them in
// order, writes the time stamps between them and owns the run's tables.
#include "run/main_program.h"

#include <new>
#include <span>
#include <string>
#include <vector>

#if defined(__SSE__)
#include <pmmintrin.h>
#include <xmmintrin.h>
#endif

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "common/line_input.h"
#include "common/stops.h"
#include "common/year_table.h"
#include "inbreeding/calc_inbreeding.h"
#include "inbreeding/calc_inbreeding_rate.h"
#include "inbreeding/calc_kinship_by_year.h"
#include "reports/analyse_subpopulation.h"
#include "reports/breeder_list.h"
#include "reports/parent_age_tables.h"
#include "reports/parent_ages.h"
#include "reports/pedigree_completeness.h"
#include "reports/population_reports.h"
#include "reports/population_tables.h"
#include "reports/top_sire_tables.h"
#include "reports/top_sires.h"
#include "reports/year_count_tables.h"
#include "reports/yearly_counting.h"
#include "reports/subpopulations.h"
#include "run/assign_columns.h"
#include "run/birth_years.h"
#include "run/check_parents.h"
#include "run/data_and_report_files.h"
#include "run/link_parents.h"
#include "run/read_data_file.h"
#include "run/species_words.h"
#include "run/steering_file.h"
#include "run/write_renumbered_pedigree.h"

namespace veldmarsh {

void set_flush_to_zero_mode() {
#if defined(__SSE__)
  _MM_SET_FLUSH_ZERO_MODE(_MM_FLUSH_ZERO_ON);
  _MM_SET_DENORMALS_ZERO_MODE(_MM_DENORMALS_ZERO_ON);
#endif
}

namespace {

void write_start_banner(output_channel& channel) {
  write_free_line(channel, {"          *********************************"});
  write_free_line(channel, {"          *         VELDMARSH             *"});
  write_free_line(channel, {"          *      Brindlemoor              *"});
  write_free_line(channel, {"          *********************************"});
  write_free_line(channel, {"           "});
}

int run_analysis(run_context& ctx) {
  set_flush_to_zero_mode();
  read_clock(ctx);
  clock_reading start_time = ctx.now;

  // The log replaces the last run's.
  if (!open_output_file(ctx.log, "Veldmarshlog.txt"))
    fail_diagnostic(ctx, "cannot open for writing", ctx.log.label, "Veldmarshlog.txt");
  write_start_banner(ctx.log);
  ctx.now = start_time;
  write_start_line(ctx);
  write_start_banner(ctx.console);

  species_name_table species_names = make_species_names();
  read_steering_file(ctx, species_names);

  input_file data;
  open_data_and_report_files(ctx, data);
  std::int64_t n_lines = count_records(ctx, data);
  // With a header line the first line names the columns; with column kinds
  // from the steering file every line is a record.
  std::int64_t n_animals = data_file_has_header_line(ctx.cfg) ? n_lines - 1 : n_lines;
  if (n_animals < 0) n_animals = 0;

  // ---- Reading the pedigree: animal table, data lines, birth years, breeders ----
  // The animal table with its first values, filled from the data file (the
  // columns are assigned and the report banner completed on the way).
  animal_table animal;
  create_animal_table(ctx, animal, n_animals);
  read_data_file(ctx, data, animal);

  // First and last birth year; every per-year table has n_years rows.
  std::int32_t first_year = 0, last_year = 0;
  std::int64_t n_years = 0;
  find_birth_years(animal, first_year, last_year, n_years);
  write_birth_years(ctx, first_year, last_year);

  // Breeder list and top breeders, from the data file's animals only.
  std::vector<breeder_name> breeder_list;
  std::int32_t n_top_breeders = 0;
  year_table<std::int32_t> breeder_year_counts;
  make_breeder_tables(ctx, animal, n_years, last_year, breeder_list, n_top_breeders, breeder_year_counts);

  // Derived fields back to their first values; record i is number i.
  reset_and_number_records(animal);
  // ---- End of reading the pedigree ----

  // ---- Building the pedigree: missing parents, links, sort ----
  // Every parent named without a line of its own gets a record (the sires,
  // then the dams), so that every parent identification names a record.
  missing_parents missing;
  check_parents(ctx, animal, missing);
  report_missing_parents(ctx, missing);
  append_missing_parents(ctx, missing, animal);
  // Parents linked by record number, then sorted before their young and
  // renumbered; a pedigree loop ends the run there.
  link_parents(ctx, animal);
  // ---- End of building the pedigree ----

  // ---- Subpopulation counts ----
  // Births per year and subpopulation and the parents' subpopulations;
  // allocated in every run, counted (with the report of unknown codes) only
  // when there is more than one subpopulation.
  year_table<std::int32_t> births_by_subpop, parent_subpop;
  allocate_subpopulation_tables(ctx, n_years, ctx.cfg.n_subpop, births_by_subpop, parent_subpop);
  if (ctx.cfg.n_subpop > 1) {
    count_subpopulations(ctx, animal, n_years, first_year, births_by_subpop, parent_subpop);
    read_clock(ctx);
    write_time_stamp(ctx, "Subpopulations of animals and their parents counted at ",
                     "Subpopulaties van dieren en hun ouders geteld op ", " on ");
    write_free_line(ctx.log, {" "});
  }
  // ---- End of subpopulation counts ----

  // ---- Ages of parents and pedigree completeness ----
  // How old every sire and dam was at each birth; the oldest parents size
  // the tables of age classes.
  std::int32_t max_sire_age = 0, max_dam_age = 0;
  calc_parent_ages(ctx, animal, max_sire_age, max_dam_age);
  write_parent_ages_done(ctx, max_sire_age, max_dam_age);
  // How well every animal's ancestry is known, and per birth year.
  year_table<float> mean_equiv_generations_by_year, completeness_by_year;
  allocate_completeness_tables(ctx, n_years, mean_equiv_generations_by_year, completeness_by_year);
  calc_pedigree_completeness(animal, n_years, first_year, last_year, mean_equiv_generations_by_year,
                             completeness_by_year);
  read_clock(ctx);
  write_time_stamp(ctx, "Pedigree completeness determined at ", "Compleetheid stamboom bepaald op ", " om ");
  write_free_line(ctx.log, {" "});
  write_completeness_report(ctx, last_year, first_year, n_years, mean_equiv_generations_by_year,
                            completeness_by_year);
  // ---- End of ages of parents and pedigree completeness ----

  // ---- Yearly counting ----
  // Per birth year: parents by sex, offspring per parent, imports, litters,
  // ages of parents, colours and breeders, one console line per year.
  year_count_tables year_counts;
  allocate_year_count_tables(ctx, year_counts, n_years, max_sire_age, max_dam_age);
  count_population_by_birth_year(ctx, animal, n_years, first_year, breeder_list, n_top_breeders, year_counts,
                                 breeder_year_counts);
  // ---- End of yearly counting ----

  // ---- First yearly report tables ----
  // Population size (which turns columns 1 and 4 of the parent counts into
  // the non-parents and gives the totals the litter table reads), litters,
  // litter sizes, ages of parents.
  population_total_set population_totals{};
  write_population_size_report(ctx, last_year, first_year, n_years, animal, year_counts.parent_counts_by_year,
                               population_totals);
  write_litter_report(ctx, last_year, first_year, n_years, year_counts.litter_stats, population_totals);
  write_litter_size_table(ctx, last_year, first_year, n_years, year_counts.litter_stats);
  write_parent_age_report(ctx, last_year, first_year, n_years, max_sire_age, year_counts.sire_age_count,
                          max_dam_age, year_counts.dam_age_count);
  read_clock(ctx);
  write_time_stamp(ctx, "Generation interval, litter size, total no. of offspring, colours etc. per year, determined at ",
                   "Generatie interval, worpgrootte, totaal aantal nakomelingen, kleurslagen etc. bepaald op ", " om ");
  write_free_line(ctx.log, {" "});
  // ---- End of first yearly report tables ----

  // ---- Top sires, top male and female ----
  // The most used sires of every year, over the whole table.
  top_sire_tables top_sires;
  allocate_top_sire_tables(ctx, top_sires, n_years);
  calc_top_sire_shares(ctx, animal.size() > 0 ? std::span<const animal_record>(animal.rows).subspan(1)
                                              : std::span<const animal_record>(),
                       n_years, first_year, top_sires.n_sires_by_year, top_sires.top_sire_share,
                       top_sires.top_sire_by_year);
  // Every year names a record (0 becomes 1) for the top-sire report.
  const std::vector<animal_record> top_sire_records = gather_top_sire_records(animal, top_sires.top_sire_by_year);
  // The shares become percentages here, as the summary reads them.
  write_top_sire_report(ctx, last_year, first_year, n_years, top_sires.n_sires_by_year, top_sires.top_sire_share,
                        top_sire_records);
  // Mean ages of parents from days to years, and over all years.
  convert_mean_ages_to_years(year_counts);
  calc_overall_parent_ages(animal, nullptr, year_counts.overall_parent_ages);
  // The male and the female with the most offspring (a blank record when
  // the table has no animal of that sex).
  const animal_record top_male = top_parent_record(animal, choose_top_parent(animal, 1, nullptr));
  const animal_record top_female = top_parent_record(animal, choose_top_parent(animal, 2, nullptr));
  write_offspring_per_parent_report(ctx, last_year, first_year, n_years, year_counts.offspring_stats_by_year,
                                    top_male, top_female);
  // The generation interval turns the yearly rates into rates per generation.
  const float generation_interval =
      write_generation_interval_report(ctx, last_year, first_year, year_counts.mean_sire_age_by_year,
                                       year_counts.mean_dam_age_by_year, year_counts.overall_parent_ages);
  // ---- End of top sires ----

  // ---- Inbreeding coefficients and the renumbered pedigree file ----
  // The yearly inbreeding and kinship tables, filled by the kinship step.
  year_table<float> year_inbreeding, year_subpop_kinship;
  allocate_inbreeding_tables(ctx, n_years, ctx.cfg.n_subpop, year_inbreeding, year_subpop_kinship);
  calc_inbreeding_coefficients(ctx, animal);
  read_clock(ctx);
  write_time_stamp(ctx, "Inbreeding coefficient of all animals computed at ",
                   "Inteeltcoefficient van alle dieren berekend op ", " on ");
  write_free_line(ctx.log, {" "});
  if (ctx.cfg.write_new_pedfile) write_renumbered_pedigree(ctx, animal, ctx.cfg.report_file_name);
  // ---- End of inbreeding coefficients and the renumbered pedigree file ----

  // ---- Kinship per birth year, the yearly means on the console, rates of inbreeding ----
  // Mean F and mean relationship of every birth year, also within and
  // between subpopulations; very large years are split and listed in the report.
  calc_kinship_by_year(ctx, animal, n_years, first_year, year_inbreeding, year_subpop_kinship);
  read_clock(ctx);
  write_time_stamp(ctx, "Kinship coefficient of all animals born in the same year computed at ",
                   "Verwantschapcoefficient van alle in hetzelfde jaar geboren dieren berekend op ", " on ");
  write_free_line(ctx.log, {" "});
  // The yearly means before the rates halve them: the second column is the
  // relationship, twice the kinship of the report. The year is not shown.
  write_free_line(ctx.console, {"    F        f"});
  for (std::int64_t k = 1; k <= n_years; ++k)
    write_fixed_line(ctx.console, "(2F8.4)", {year_inbreeding(k, 1), year_inbreeding(k, 2)});
  // Rates of inbreeding; columns 2 to 6 of year_inbreeding become kinships.
  inbreeding_rate_set inbreeding_rates{};
  calc_inbreeding_rate(n_years, first_year, last_year, animal, year_inbreeding, inbreeding_rates);
  // ---- End of kinship per birth year and rates of inbreeding ----

  // ---- Report block of the whole population, then the release of the counting tables ----
  // Subpopulation tables, imports, colours, breeders, inbreeding with its
  // rates, the summary and the subpopulation kinships, each under its
  // condition; then the tables that only this block still needed go.
  write_population_reports(ctx, last_year, first_year, n_years, births_by_subpop, parent_subpop, year_counts,
                           n_top_breeders, breeder_year_counts, breeder_list, year_inbreeding, inbreeding_rates,
                           generation_interval, max_sire_age, max_dam_age, top_sires, year_subpop_kinship);
  release_year_count_tables(year_counts);
  // ---- End of report block of the whole population ----

  // ---- Analysis of each subpopulation ----
  // With more than one subpopulation, the per-year analysis again for the
  // animals of each, from its own columns of the kinship table.
  if (ctx.cfg.n_subpop > 1) {
    subpop_analysis_values subpop_values;
    for (std::int32_t isub = 1; isub <= ctx.cfg.n_subpop; ++isub)
      analyse_subpopulation(ctx, animal, isub, n_years, first_year, last_year, n_top_breeders, breeder_list,
                            subpop_kinship_columns(year_subpop_kinship, isub), subpop_values);
  }
  // ---- End of analysis of each subpopulation ----

  // ---- Release of the subpopulation kinships, after the analyses of the subpopulations ----
  year_subpop_kinship = {};
  // ---- End of release of the subpopulation kinships ----

  // Closing line.
  read_clock(ctx);
  const settings& cfg = ctx.cfg;
  if (cfg.english) {
    write_free_line(ctx.console, {"finished analysis for ", cfg.analysis_title});
    write_time_stamp(ctx, "Analyses finished at ", " on ");
  } else {
    write_free_line(ctx.console, {"klaar met analyseren van ", cfg.analysis_title});
    write_time_stamp(ctx, "Analyses klaar op ", " om ");
  }
  return exit_completed;
}

}  // namespace

int main_program(run_context& ctx) {
  register_run(ctx);
  // The tables that grow with the pedigree end the run with a diagnostic of
  // their own when memory runs out; any other allocation ends it here, once
  // the run's tables are freed.
  try {
    return run_analysis(ctx);
  } catch (const std::bad_alloc&) {
    fail_allocation(ctx, "the work tables of this pedigree");
  }
}

}  // namespace veldmarsh
