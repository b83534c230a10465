// The run order. Each phase is a routine of its own; this file calls them in
// order, writes the time stamps between them and owns what each phase hands
// on: reading gives the animal table, its birth years and the breeders;
// building completes, links and sorts the table and groups its animals by
// birth year; counting gives the subpopulation counts and the yearly counts;
// inbreeding gives F of every animal and the inbreeding results per year;
// then come the rates, the reports and the analysis of each subpopulation.
#include "run/main_program.h"

#include <new>

#include "common/birth_year_groups.h"
#include "common/line_input.h"
#include "common/stops.h"
#include "inbreeding/calc_inbreeding.h"
#include "inbreeding/calc_inbreeding_rate.h"
#include "inbreeding/calc_kinship_by_year.h"
#include "inbreeding/inbreeding_results.h"
#include "reports/analyse_subpopulation.h"
#include "reports/breeder_list.h"
#include "reports/parent_age_tables.h"
#include "reports/parent_ages.h"
#include "reports/pedigree_completeness.h"
#include "reports/population_reports.h"
#include "reports/population_tables.h"
#include "reports/subpopulations.h"
#include "reports/top_sire_tables.h"
#include "reports/top_sires.h"
#include "reports/yearly_counting.h"
#include "run/birth_years.h"
#include "run/check_parents.h"
#include "run/data_and_report_files.h"
#include "run/link_parents.h"
#include "run/read_data_file.h"
#include "run/run_frame.h"
#include "run/species_words.h"
#include "run/steering_file.h"
#include "run/write_renumbered_pedigree.h"

namespace veldmarsh {

namespace {

int run_analysis(run_context& ctx) {
  start_run(ctx);
  read_steering_file(ctx, make_species_names());
  input_file data;
  open_data_and_report_files(ctx, data);

  // Reading: one record per data line (the columns are assigned and the
  // report banner completed on the way), the birth years every per-year
  // table spans, and the breeders with the top breeders first.
  animal_table animal;
  create_animal_table(ctx, animal, count_animal_lines(ctx, data));
  read_data_file(ctx, data, animal);
  const year_range years = find_birth_years(animal);
  write_birth_years(ctx, years);
  check_year_table_room(ctx, animal, years);
  const breeder_tables breeders = make_breeder_tables(ctx, animal, years);
  reset_and_number_records(animal);

  // Building: a record for every parent named without a line of its own
  // (sires, then dams); parents linked by record number, then sorted before
  // their young and renumbered (a pedigree loop ends the run there).
  missing_parents missing;
  check_parents(ctx, animal, missing);
  report_missing_parents(ctx, missing);
  append_missing_parents(ctx, missing, animal);
  link_parents(ctx, animal);
  const birth_year_groups animals_by_year = group_by_birth_year(ctx, animal, years, nullptr);

  // Births per year and subpopulation and the parents' subpopulations,
  // counted only with more than one subpopulation.
  subpop_counts subpops;
  allocate_subpopulation_tables(ctx, years, subpops);
  if (ctx.cfg.n_subpop > 1) {
    count_subpopulations(ctx, animal, years, subpops);
    stamp_phase(ctx, "Subpopulations of animals and their parents counted at ",
                "Subpopulaties van dieren en hun ouders geteld op ", " on ");
  }

  // The yearly counts: how old every parent was at each birth (the oldest
  // parents size the age tables), how well every animal's ancestry is known,
  // then per birth year parents, offspring, imports, litters, ages, colours
  // and breeders. Every per-year table of the whole population is had
  // before the first report table is written.
  year_count_tables counts;
  const oldest_parents oldest = calc_parent_ages(ctx, animal);
  write_parent_ages_done(ctx, oldest);
  allocate_year_count_tables(ctx, years, oldest, breeders.n_top_breeders, counts);
  inbreeding_results inbreeding;
  allocate_inbreeding_tables(ctx, years, inbreeding);
  calc_pedigree_completeness(animal, animals_by_year, counts.completeness);
  stamp_phase(ctx, "Pedigree completeness determined at ", "Compleetheid stamboom bepaald op ", " om ");
  write_completeness_report(ctx, years, counts.completeness);
  count_population_by_birth_year(ctx, animal, animals_by_year, breeders, counts);
  count_non_parents(counts);
  write_population_size_report(ctx, years, animal, counts.parent_counts_by_year, counts.population_totals);
  write_litter_report(ctx, years, counts.litter_stats, counts.population_totals);
  write_litter_size_table(ctx, years, counts.litter_stats);
  write_parent_age_report(ctx, years, counts.oldest, counts.sire_age_count, counts.dam_age_count);
  stamp_phase(ctx, "Generation interval, litter size, total no. of offspring, colours etc. per year, determined at ",
              "Generatie interval, worpgrootte, totaal aantal nakomelingen, kleurslagen etc. bepaald op ", " om ");

  // The most used sires of every year; the male and the female with the
  // most offspring (a blank record when the table has no animal of that
  // sex); the mean ages of the parents in years and the generation interval.
  calc_top_sire_shares(ctx, animal, animals_by_year, counts.top_sires);
  convert_shares_to_percentages(counts.top_sires);
  write_top_sire_report(ctx, years, counts.top_sires, gather_top_sire_records(animal, counts.top_sires));
  calc_mean_parent_ages(animal, nullptr, counts);
  choose_top_parents(animal, nullptr, counts);
  write_offspring_per_parent_report(ctx, years, counts.offspring_stats_by_year,
                                    top_parent_record(animal, counts.top_male_nr),
                                    top_parent_record(animal, counts.top_female_nr));
  write_generation_interval_report(ctx, years, counts.mean_sire_age_by_year, counts.mean_dam_age_by_year,
                                   counts.overall_parent_ages, counts.generation_interval);

  // Inbreeding: F of every animal (and the renumbered pedigree file with
  // it), then mean F and mean relationship of every birth year, also within
  // and between subpopulations; very large years are split and listed in the
  // report. The console shows the yearly means before they become kinships.
  calc_inbreeding_coefficients(ctx, animal);
  stamp_phase(ctx, "Inbreeding coefficient of all animals computed at ",
              "Inteeltcoefficient van alle dieren berekend op ", " on ");
  if (ctx.cfg.write_new_pedfile) write_renumbered_pedigree(ctx, animal, ctx.cfg.report_file_name);
  calc_kinship_by_year(ctx, animal, animals_by_year, inbreeding);
  stamp_phase(ctx, "Kinship coefficient of all animals born in the same year computed at ",
              "Verwantschapcoefficient van alle in hetzelfde jaar geboren dieren berekend op ", " on ");
  write_yearly_means(ctx, inbreeding);
  convert_relationships_to_kinships(inbreeding);

  // Rates of inbreeding, then the reports of the whole population; the
  // tables only they needed go before the subpopulations are analysed.
  inbreeding_rate_set rates{};
  calc_inbreeding_rate(years, inbreeding, rates);
  write_population_reports(ctx, years, breeders, subpops, counts, inbreeding, rates);
  release_year_count_tables(counts);

  // With more than one subpopulation, the per-year analysis again for the
  // animals of each, from its own columns of the kinship table.
  if (ctx.cfg.n_subpop > 1) {
    subpop_analysis_values subpop_values;
    for (std::int32_t isub = 1; isub <= ctx.cfg.n_subpop; ++isub)
      analyse_subpopulation(ctx, animal, years, breeders, isub,
                            subpop_kinship_columns(inbreeding.year_subpop_kinship, isub), subpop_values);
  }
  inbreeding.year_subpop_kinship = {};
  finish_run(ctx);
  return exit_completed;
}

}  // namespace

int main_program(run_context& ctx) {
  register_run(ctx);
  // Tables that grow with the pedigree end the run with a diagnostic of their
  // own; any other failed allocation ends it here, the run's tables freed.
  try {
    return run_analysis(ctx);
  } catch (const std::bad_alloc&) {
    fail_allocation(ctx, "the work tables of this pedigree");
  }
}

}  // namespace veldmarsh
