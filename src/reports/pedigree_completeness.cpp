// Pedigree completeness of every animal and per birth year.
#include "reports/pedigree_completeness.h"

#include <algorithm>
#include <cassert>

namespace veldmarsh {

void calc_pedigree_completeness(animal_table& animal, const birth_year_groups& groups,
                                completeness_tables& completeness) {
  // Parents stand before their young, so their values are final when read.
  for (std::int64_t i = 1; i <= animal.size(); ++i) {
    animal_record& a = animal[i];
    a.equiv_generations = 0.0f;
    a.complete_generations = 0;
    if (a.sire_nr != 0) a.equiv_generations = 0.5f * animal[a.sire_nr].equiv_generations + 0.5f;
    if (a.dam_nr != 0) a.equiv_generations = (a.equiv_generations + 0.5f) + 0.5f * animal[a.dam_nr].equiv_generations;
    if (a.sire_nr != 0 && a.dam_nr != 0)
      a.complete_generations =
          std::min(animal[a.sire_nr].complete_generations, animal[a.dam_nr].complete_generations) + 1;
  }
  count_completeness_by_year(animal, groups, completeness);
}

void count_completeness_by_year(const animal_table& animal, const birth_year_groups& groups,
                                completeness_tables& completeness) {
  const std::int64_t n_years = groups.years.n_years;
  assert(completeness.mean_equiv_generations_by_year.n_rows == n_years);
  assert(completeness.completeness_by_year.n_rows == n_years && completeness.completeness_by_year.n_cols == 5);
  for (std::int64_t k = 1; k <= n_years; ++k) {
    const std::span<const std::int32_t> year_animals = groups.of(k);
    double equiv_sum = 0;
    std::int64_t by_generations[5] = {0, 0, 0, 0, 0};
    for (std::int32_t nr : year_animals) {
      const animal_record& a = animal[nr];
      equiv_sum += a.equiv_generations;
      if (a.complete_generations >= 1) ++by_generations[std::min(a.complete_generations, 5) - 1];
    }
    // Means and shares from exact sums and counts, rounded once; a year
    // without animals gets zeros.
    const double n = static_cast<double>(year_animals.size());
    completeness.mean_equiv_generations_by_year(k, 1) =
        year_animals.empty() ? 0.0f : static_cast<float>(equiv_sum / n);
    for (int g = 1; g <= 5; ++g)
      completeness.completeness_by_year(k, g) =
          year_animals.empty() ? 0.0f : static_cast<float>(static_cast<double>(by_generations[g - 1]) / n);
  }
}

}  // namespace veldmarsh
