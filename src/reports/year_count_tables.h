// The per-birth-year tables that the yearly counting fills and the report
// writers print. The whole population has one set, owned by the main
// program; the analysis of one subpopulation makes a set of its own.
// Row k of every table is birth year first_year + k - 1; every year has its
// row, also a year without animals (its cells are then 0). Tables with one
// value per year have one column.
#pragma once

#include <array>
#include <cstdint>

#include "common/year_table.h"

namespace veldmarsh {

// Tables filled by the yearly counting loop, plus the overall parent ages
// derived from the same ages after the loop.
struct year_count_tables {
  // Young born in the year by the age class of their sire (dam): column a
  // counts sire (dam) ages of 365a + 1 to 365a + 365 days. No columns when
  // the oldest age class is 0 or less.
  year_table<std::int32_t> sire_age_count;  // (n_years, max_sire_age)
  year_table<std::int32_t> dam_age_count;   // (n_years, max_dam_age)
  // Animals born in the year, columns 1-3 males, 4-6 females, each trio:
  // home-bred (not imports); of those the parents (with offspring that are
  // not imports); imports that are parents. The population-size report later
  // subtracts column 2 from 1 and 5 from 4 in place.
  year_table<std::int32_t> parent_counts_by_year;  // (n_years, 6)
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
  // loop, in years (divided by 365) after `convert_mean_ages_to_years`.
  year_table<float> mean_sire_age_by_year;  // (n_years, 1)
  year_table<float> mean_dam_age_by_year;   // (n_years, 1)
  // With a colour column: the year's animals per colour code, the last
  // column the rest; (n_years, 1) of zeros without a colour column.
  year_table<std::int32_t> colour_counts_by_year;  // (n_years, n_colour_classes)
  // Mean age in years of the sires [0] and of the dams [1] over every birth
  // with a known age (-1 excluded, 0 and negative ages included); not per year.
  std::array<float, 2> overall_parent_ages{};
};

// Tables of the most used sires of every birth year.
struct top_sire_tables {
  year_table<std::int32_t> n_sires_by_year;   // (n_years, 1): distinct sires of the year's young
  // (n_years, 1): animal number of the sire with the most young of the year
  // (the higher number on a tie); 0 for a year without a known sire, which
  // the caller turns into 1 before the records are gathered for the report.
  year_table<std::int32_t> top_sire_by_year;
  // (n_years, 10): column c the fraction of the year's young with a known
  // sire that are by the c-th most used sire, 0 beyond the number of sires.
  // The top-sire report turns these into percentages in place; everything
  // that reads the table later (the summary) sees percentages.
  year_table<float> top_sire_share;
};

}  // namespace veldmarsh
