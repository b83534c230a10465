// The yearly counting: for every birth year from first_year to last_year,
// one row of each per-year table of parents, offspring, imports, litters,
// ages of parents, colours and breeders, with one console line per year.
// The whole population runs it over the whole table; the analysis of one
// subpopulation runs the same loop over its members with tables of its own.
#pragma once

#include <cstdint>
#include <vector>

#include "common/animal_record.h"
#include "common/fixed_text.h"
#include "common/run_context.h"
#include "common/year_table.h"
#include "reports/breeder_list.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Which animals the loop counts, how its year lines read and what else it
// fills on the way.
struct counting_scope {
  // One flag per animal (index = animal number, entry 0 unused); null: every
  // animal of the table.
  const std::vector<bool>* members = nullptr;
  // The subpopulation named in the year lines; null: the whole population's
  // line.
  const fixed_text<20>* subpop_code = nullptr;
  // When both are given, row k of each is filled over the year's animals as
  // the completeness step does for the whole population (mean equivalent
  // generations; fractions with 1, 2, 3, 4 and 5 or more complete
  // generations); 0 for a year without animals.
  year_table<float>* mean_equiv_generations_by_year = nullptr;  // (n_years, 1)
  year_table<float>* completeness_by_year = nullptr;            // (n_years, 5)
};

// Allocates every table of `tables`, all zero: the age classes with
// `max_sire_age` and `max_dam_age` columns (none when 0 or less), the colour
// table with `n_colour_classes` columns with a colour column and 1 without.
// A table too large for memory ends the run with a diagnostic.
void allocate_year_count_tables(run_context& ctx, year_count_tables& tables, std::int64_t n_years,
                                std::int32_t max_sire_age, std::int32_t max_dam_age);

// The loop over the birth years for the animals of `scope`: fills every row
// of `tables` but `overall_parent_ages`, and of `breeder_year_counts` (with a
// breeder column; top breeders are the first `n_top_breeders` entries of
// `breeder_list`). Writes one console line per year. The tables must be
// allocated with `n_years` rows (allocate_year_count_tables); the age-class
// tables' widths are the oldest age classes.
void count_by_birth_year(run_context& ctx, const animal_table& animal, std::int64_t n_years, std::int32_t first_year,
                         const std::vector<breeder_name>& breeder_list, std::int32_t n_top_breeders,
                         year_count_tables& tables, year_table<std::int32_t>& breeder_year_counts,
                         const counting_scope& scope);

// The whole population's loop: the line "monitor data per jaar" on the
// console, then count_by_birth_year over the whole table.
void count_population_by_birth_year(run_context& ctx, const animal_table& animal, std::int64_t n_years,
                                    std::int32_t first_year, const std::vector<breeder_name>& breeder_list,
                                    std::int32_t n_top_breeders, year_count_tables& tables,
                                    year_table<std::int32_t>& breeder_year_counts);

}  // namespace veldmarsh
