// Pedigree completeness of every animal and per birth year.
#include "reports/pedigree_completeness.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <vector>

#include "common/stops.h"

namespace veldmarsh {

void allocate_completeness_tables(run_context& ctx, std::int64_t n_years,
                                  year_table<float>& mean_equiv_generations_by_year,
                                  year_table<float>& completeness_by_year) {
  allocate_tables(ctx, "the per-year completeness tables (birth years " + std::to_string(n_years) + ")", [&] {
    return allocate_year_table(mean_equiv_generations_by_year, n_years, 1) &&
           allocate_year_table(completeness_by_year, n_years, 5);
  });
}

void calc_pedigree_completeness(animal_table& animal, std::int64_t n_years, std::int32_t first_year,
                                std::int32_t last_year, year_table<float>& mean_equiv_generations_by_year,
                                year_table<float>& completeness_by_year) {
  const std::int64_t n_animals = animal.size();
  (void)last_year;  // the rows run from first_year for n_years years

  // Parents stand before their young, so their values are final when read.
  for (std::int64_t i = 1; i <= n_animals; ++i) {
    animal_record& a = animal[i];
    a.equiv_generations = 0.0f;
    a.complete_generations = 0;
    if (a.sire_nr != 0) a.equiv_generations = 0.5f * animal[a.sire_nr].equiv_generations + 0.5f;
    if (a.dam_nr != 0) a.equiv_generations = (a.equiv_generations + 0.5f) + 0.5f * animal[a.dam_nr].equiv_generations;
    if (a.sire_nr != 0 && a.dam_nr != 0)
      a.complete_generations =
          std::min(animal[a.sire_nr].complete_generations, animal[a.dam_nr].complete_generations) + 1;
  }

  // One pass over the animals gathers every year: the count, the exact sum
  // of equivalent generations and the counts by complete generations.
  struct year_sums {
    std::int64_t n = 0;
    double equiv_sum = 0;
    std::int64_t by_generations[5] = {0, 0, 0, 0, 0};
  };
  if (n_years < 0) n_years = 0;
  std::vector<year_sums> sums(static_cast<std::size_t>(n_years));
  for (std::int64_t i = 1; i <= n_animals; ++i) {
    const animal_record& a = animal[i];
    std::int64_t row = static_cast<std::int64_t>(a.birth_year) - first_year;
    if (row < 0 || row >= n_years) continue;
    year_sums& s = sums[static_cast<std::size_t>(row)];
    ++s.n;
    s.equiv_sum += a.equiv_generations;
    if (a.complete_generations >= 1) ++s.by_generations[std::min(a.complete_generations, 5) - 1];
  }

  assert(mean_equiv_generations_by_year.n_rows == n_years && mean_equiv_generations_by_year.n_cols == 1);
  assert(completeness_by_year.n_rows == n_years && completeness_by_year.n_cols == 5);
  for (std::int64_t k = 1; k <= n_years; ++k) {
    const year_sums& s = sums[static_cast<std::size_t>(k - 1)];
    double n = static_cast<double>(s.n);
    // Means and shares from exact sums and counts, rounded once; a year
    // without animals gets zeros.
    mean_equiv_generations_by_year(k, 1) = s.n == 0 ? 0.0f : static_cast<float>(s.equiv_sum / n);
    for (int g = 1; g <= 5; ++g)
      completeness_by_year(k, g) =
          s.n == 0 ? 0.0f : static_cast<float>(static_cast<double>(s.by_generations[g - 1]) / n);
  }
}

}  // namespace veldmarsh
