// Pedigree completeness: how well each animal's ancestry is known, as
// equivalent complete generations and fully known generations, and per birth
// year their mean and the shares of animals with 1, 2, 3, 4 and 5 or more
// complete generations.
#pragma once

#include <cstdint>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_table.h"

namespace veldmarsh {

// Allocates the two per-year tables, all zero; a table too large for memory
// ends the run with a diagnostic.
void allocate_completeness_tables(run_context& ctx, std::int64_t n_years,
                                  year_table<float>& mean_equiv_generations_by_year,
                                  year_table<float>& completeness_by_year);

// Sets `equiv_generations` and `complete_generations` of every animal of the
// sorted table (parents before their young) and fills, for every birth year
// row, `mean_equiv_generations_by_year` (n_years x 1) and
// `completeness_by_year` (n_years x 5, fractions of the year's animals; 0
// for a year without animals). The caller allocates both tables.
void calc_pedigree_completeness(animal_table& animal, std::int64_t n_years, std::int32_t first_year,
                                std::int32_t last_year, year_table<float>& mean_equiv_generations_by_year,
                                year_table<float>& completeness_by_year);

}  // namespace veldmarsh
