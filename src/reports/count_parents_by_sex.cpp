// Parents by sex among the animals of one birth year. One pass counts both
// sexes and keeps the parents' offspring counts; a second pass over those
// sums the squared deviations from each sex's exact mean.
#include "reports/count_parents_by_sex.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace veldmarsh {

namespace {

// What one sex adds up: three cells of the counts and the offspring sums.
struct sex_sums {
  std::int64_t home_bred = 0, home_bred_parents = 0, imported_parents = 0;
  std::int64_t offspring_sum = 0;
  std::int32_t offspring_max = 0;
  double mean = 0;
  double squares = 0;  // squared deviations from the exact mean, in double
};

// Index 0 for the males, 1 for the females; -1 for any other sex.
inline int sex_index(std::int32_t sex) { return sex == 1 ? 0 : sex == 2 ? 1 : -1; }

}  // namespace

void count_parents_by_sex(const animal_table& animal, std::span<const std::int32_t> year_animals,
                          std::span<std::int32_t, 6> parent_counts, std::span<float, 6> offspring_stats) {
  sex_sums sums[2];
  // The parents' sex and offspring, kept for the second pass.
  std::vector<std::pair<int, std::int32_t>> parents;
  for (std::int32_t nr : year_animals) {
    const animal_record& a = animal[nr];
    const int s = sex_index(a.sex);
    if (s < 0) continue;
    sex_sums& x = sums[s];
    x.home_bred += a.is_import ? 0 : 1;
    if (!a.has_counted_offspring) continue;
    if (a.is_import)
      ++x.imported_parents;
    else
      ++x.home_bred_parents;
    x.offspring_max = std::max(x.offspring_max, a.n_offspring_counted);
    x.offspring_sum += a.n_offspring_counted;
    parents.emplace_back(s, a.n_offspring_counted);
  }
  for (sex_sums& x : sums) {
    const std::int64_t p = x.home_bred_parents + x.imported_parents;
    if (p >= 1) x.mean = static_cast<double>(x.offspring_sum) / static_cast<double>(p);
  }
  // A float sum over a large year's parents would lose the small terms.
  for (const auto& [s, offspring] : parents) {
    const double d = static_cast<double>(offspring) - sums[s].mean;
    sums[s].squares += d * d;
  }
  for (int s = 0; s < 2; ++s) {
    const sex_sums& x = sums[s];
    std::int32_t* counts = parent_counts.data() + 3 * s;
    float* stats = offspring_stats.data() + 3 * s;
    counts[0] = static_cast<std::int32_t>(x.home_bred);
    counts[1] = static_cast<std::int32_t>(x.home_bred_parents);
    counts[2] = static_cast<std::int32_t>(x.imported_parents);
    const std::int64_t p = x.home_bred_parents + x.imported_parents;
    stats[0] = stats[1] = stats[2] = 0.0f;
    if (p < 1) continue;
    stats[0] = static_cast<float>(x.mean);
    if (p >= 2) stats[1] = static_cast<float>(std::sqrt(x.squares / static_cast<double>(p - 1)));
    stats[2] = static_cast<float>(x.offspring_max);
  }
}

}  // namespace veldmarsh
