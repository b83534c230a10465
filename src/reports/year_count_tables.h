// The per-birth-year tables that the yearly counting fills and the report
// writers print. The whole population has one set, owned by the main
// program; the analysis of one subpopulation makes a set of its own.
// Row k of every table is birth year first_year + k - 1.
#pragma once

#include <cstdint>

#include "common/year_table.h"

namespace veldmarsh {

// Tables filled by the yearly counting loop (and the ages of parents).
struct year_count_tables {
  year_table<std::int32_t> sire_age_count;                // (n_years, max_sire_age): fathers by age in years
  year_table<std::int32_t> dam_age_count;                 // (n_years, max_dam_age): mothers by age in years
  year_table<std::int32_t> parent_counts_by_year;         // (n_years, 6): males 1-3, females 4-6
  year_table<std::int32_t> import_parent_counts_by_year;  // (n_years, 4): offspring by import status of parents
  year_table<float> offspring_stats_by_year;              // (n_years, 6): mean, sd, max offspring of male, female parents
  year_table<std::int32_t> litter_stats;                  // (n_years, 102): litters, sires, litters of size 1..100+
  year_table<float> mean_sire_age_by_year;                // (n_years, 1)
  year_table<float> mean_dam_age_by_year;                 // (n_years, 1)
  year_table<std::int32_t> colour_counts_by_year;         // (n_years, n_colour_classes), or (n_years, 1) without colours
};

// Tables of the most used sires of every birth year.
struct top_sire_tables {
  year_table<std::int32_t> n_sires_by_year;  // (n_years, 1): distinct sires of the year's young
  year_table<std::int32_t> top_sire_by_year;  // (n_years, 1): number of the sire with the most young, 0 = none
  year_table<float> top_sire_share;           // (n_years, 10): shares of the ten most used sires
};

}  // namespace veldmarsh
