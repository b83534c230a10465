// Parents by sex among the animals of one birth year.
#include "reports/count_parents_by_sex.h"

#include <algorithm>
#include <cmath>

namespace veldmarsh {

namespace {

// One sex: three cells of each row, from `counts` and `stats` on.
void count_one_sex(const animal_table& animal, std::span<const std::int32_t> year_animals, std::int32_t sex,
                   std::int32_t* counts, float* stats) {
  std::int64_t home_bred = 0, home_bred_parents = 0, imported_parents = 0;
  std::int64_t offspring_sum = 0;
  std::int32_t offspring_max = 0;
  for (std::int32_t nr : year_animals) {
    const animal_record& a = animal[nr];
    if (a.sex != sex) continue;
    if (!a.is_import) ++home_bred;
    if (!a.has_counted_offspring) continue;
    if (a.is_import)
      ++imported_parents;
    else
      ++home_bred_parents;
    offspring_max = std::max(offspring_max, a.n_offspring_counted);
    offspring_sum += a.n_offspring_counted;
  }
  counts[0] = static_cast<std::int32_t>(home_bred);
  counts[1] = static_cast<std::int32_t>(home_bred_parents);
  counts[2] = static_cast<std::int32_t>(imported_parents);

  const std::int64_t p = home_bred_parents + imported_parents;
  stats[0] = stats[1] = stats[2] = 0.0f;
  if (p < 1) return;
  const double mean = static_cast<double>(offspring_sum) / static_cast<double>(p);
  stats[0] = static_cast<float>(mean);
  if (p >= 2) {
    // Squared deviations from the exact mean, summed in double: a float sum
    // over a large year's parents would lose the small terms.
    double squares = 0;
    for (std::int32_t nr : year_animals) {
      const animal_record& a = animal[nr];
      if (a.sex != sex || !a.has_counted_offspring) continue;
      const double d = static_cast<double>(a.n_offspring_counted) - mean;
      squares += d * d;
    }
    stats[1] = static_cast<float>(std::sqrt(squares / static_cast<double>(p - 1)));
  }
  stats[2] = static_cast<float>(offspring_max);
}

}  // namespace

void count_parents_by_sex(const animal_table& animal, std::span<const std::int32_t> year_animals,
                          std::span<std::int32_t, 6> parent_counts, std::span<float, 6> offspring_stats) {
  count_one_sex(animal, year_animals, 1, parent_counts.data(), offspring_stats.data());
  count_one_sex(animal, year_animals, 2, parent_counts.data() + 3, offspring_stats.data() + 3);
}

}  // namespace veldmarsh
