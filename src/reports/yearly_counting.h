// The yearly counting: for every birth year from first_year to last_year,
// one row of each per-year table of parents, offspring, imports, litters,
// ages of parents, colours and breeders, with one console line per year;
// and the animals that never became parents, derived from those rows once
// they are all filled. The whole population runs it over all its animals;
// the analysis of one subpopulation runs the same loop over its members
// with tables of its own.
#pragma once

#include <cstdint>

#include "common/animal_record.h"
#include "common/birth_year_groups.h"
#include "common/fixed_text.h"
#include "common/run_context.h"
#include "common/year_range.h"
#include "reports/breeder_list.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Allocates every table of `counts` with `years.n_years` rows, all zero: the
// age classes as wide as the oldest parents (none when 0 or less), the
// colour table with `n_colour_classes` columns with a colour column and 1
// without, the breeder table for `n_top_breeders`. Tables too large for
// memory end the run with a diagnostic.
void allocate_year_count_tables(run_context& ctx, const year_range& years, const oldest_parents& oldest,
                                std::int32_t n_top_breeders, year_count_tables& counts);

// The loop over the birth years of `groups`: fills every row of the tables
// of parents, offspring, imports, litters, ages of parents, colours and (with
// a breeder column) breeders, whose top breeders are the first entries of
// the list. Writes one console line per year, naming `subpop_code` when it
// is not null.
void count_by_birth_year(run_context& ctx, const animal_table& animal, const birth_year_groups& groups,
                         const breeder_tables& breeders, year_count_tables& counts,
                         const fixed_text<20>* subpop_code);

// The whole population's loop: the line "monitor data per jaar" on the
// console, then count_by_birth_year over all animals.
void count_population_by_birth_year(run_context& ctx, const animal_table& animal, const birth_year_groups& groups,
                                    const breeder_tables& breeders, year_count_tables& counts);

// Turns columns 1 and 4 of `parent_counts_by_year` into the home-bred males
// and females that never became parents (column 2 and 5 subtracted) and
// fills `population_totals` with the column sums. Once: a second call
// changes nothing.
void count_non_parents(year_count_tables& counts);

// Frees the per-year tables of parents, offspring, litters, ages, colours
// and imports once the whole population is reported.
void release_year_count_tables(year_count_tables& counts);

}  // namespace veldmarsh
