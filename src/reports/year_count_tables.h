// The yearly counts of one population: the per-birth-year tables that the
// ages of the parents, the pedigree completeness, the yearly counting and
// the top-sire search fill, and the values derived from them once they are
// filled. The report writers print them. The whole population has one set,
// owned by the main program; the analysis of one subpopulation makes a set
// of its own.
//
// Row k of every table is birth year first_year + k - 1; every year has its
// row, also a year without animals (its cells are then 0). Tables with one
// value per year have one column.
#pragma once

#include <array>
#include <cstdint>

#include "common/year_table.h"

namespace veldmarsh {

// The oldest sire and dam in whole years (the largest age at a birth in
// days, divided by 365): the widths of the age tables. 0 or less when no
// age is known (with no parent at all the smallest 32-bit integer / 365).
struct oldest_parents {
  std::int32_t max_sire_age = 0;
  std::int32_t max_dam_age = 0;
};

// How well the ancestry of the animals of each birth year is known.
struct completeness_tables {
  year_table<float> mean_equiv_generations_by_year;  // (n_years, 1): mean equivalent complete generations
  // (n_years, 5): column g the share of the year's animals with g fully known
  // generations, column 5 those with 5 or more.
  year_table<float> completeness_by_year;
};

// The most used sires of every birth year.
struct top_sire_tables {
  year_table<std::int32_t> n_sires_by_year;  // (n_years, 1): distinct sires of the year's young
  // (n_years, 1): number of the sire with the most young of the year (the
  // higher number on a tie); 0 for a year without a known sire.
  year_table<std::int32_t> top_sire_by_year;
  // (n_years, 10): column c the share of the year's young with a known sire
  // that are by the c-th most used sire, 0 beyond the number of sires; a
  // fraction, or a percentage once convert_shares_to_percentages has run.
  year_table<float> top_sire_share;
  bool shares_in_percent = false;
};

// Column sums t1..t6 of `parent_counts_by_year` once columns 1 and 4 hold
// the animals that never became parents.
using population_total_set = std::array<std::int32_t, 6>;

struct year_count_tables {
  oldest_parents oldest;
  // Young born in the year by the age class of their sire (dam): column a
  // counts sire (dam) ages of 365a + 1 to 365a + 365 days. No columns when
  // the oldest age class is 0 or less.
  year_table<std::int32_t> sire_age_count;  // (n_years, max_sire_age)
  year_table<std::int32_t> dam_age_count;   // (n_years, max_dam_age)
  // Animals born in the year, columns 1-3 males, 4-6 females, each trio:
  // home-bred (not imports); of those the parents (with offspring that are
  // not imports); imports that are parents. count_non_parents turns columns
  // 1 and 4 into the home-bred animals that never became parents.
  year_table<std::int32_t> parent_counts_by_year;  // (n_years, 6)
  bool non_parents_counted = false;
  population_total_set population_totals{};  // filled by count_non_parents
  // The year's home-bred young with both parents known, by the parents'
  // import status: neither, sire only, dam only, both. Filled only with an
  // import column.
  year_table<std::int32_t> import_parent_counts_by_year;  // (n_years, 4)
  // Offspring (not imports, all years) per parent born in the year: mean,
  // standard deviation, maximum for the male parents, then the female ones.
  year_table<float> offspring_stats_by_year;  // (n_years, 6)
  // 1 litters (dams, once per year), 2 distinct sires, s + 2 litters of
  // size s (s = 1..99), 102 litters of 100 young or more.
  year_table<std::int32_t> litter_stats;  // (n_years, 102)
  // Mean positive sire (dam) age of the year's young: in days after the
  // counting, in years once convert_mean_ages_to_years has run.
  year_table<float> mean_sire_age_by_year;  // (n_years, 1)
  year_table<float> mean_dam_age_by_year;   // (n_years, 1)
  bool mean_ages_in_years = false;
  // With a colour column: the year's animals per colour code, the last
  // column the rest; (n_years, 1) of zeros without a colour column.
  year_table<std::int32_t> colour_counts_by_year;  // (n_years, n_colour_classes)
  // Per top breeder b its animals of the year (2b - 1) and those of them
  // that became parents (2b), then the others; filled with a breeder column.
  year_table<std::int32_t> breeder_year_counts;  // (n_years, 2 n_top_breeders + 2)
  completeness_tables completeness;
  top_sire_tables top_sires;
  // The male and the female with the most offspring: their numbers, 0 when
  // the population has no animal of that sex.
  std::int32_t top_male_nr = 0;
  std::int32_t top_female_nr = 0;
  // Mean age in years of the sires [0] and of the dams [1] over every birth
  // with a known age (-1 excluded, 0 and negative ages included); not per
  // year. Their plain mean is the generation interval.
  std::array<float, 2> overall_parent_ages{};
  float generation_interval = 0;
};

}  // namespace veldmarsh
