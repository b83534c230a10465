// Pedigree completeness: how well each animal's ancestry is known, as
// equivalent complete generations and fully known generations, and per birth
// year their mean and the shares of animals with 1, 2, 3, 4 and 5 or more
// complete generations.
#pragma once

#include "common/animal_record.h"
#include "common/birth_year_groups.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Sets `equiv_generations` and `complete_generations` of every animal of the
// sorted table (parents before their young), then fills `completeness` over
// the animals of `groups` (count_completeness_by_year).
void calc_pedigree_completeness(animal_table& animal, const birth_year_groups& groups,
                                completeness_tables& completeness);

// Row k of both tables over the animals of row k of `groups`: the mean of
// their equivalent generations and the shares by complete generations; 0 for
// a year without animals. The tables have a row for every year of `groups`.
void count_completeness_by_year(const animal_table& animal, const birth_year_groups& groups,
                                completeness_tables& completeness);

}  // namespace veldmarsh
