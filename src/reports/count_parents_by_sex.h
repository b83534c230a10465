// Parents by sex among the animals of one birth year, and how many
// offspring those parents have: one row of `parent_counts_by_year` and of
// `offspring_stats_by_year`. Used for the whole population and for each
// subpopulation.
#pragma once

#include <cstdint>
#include <span>

#include "common/animal_record.h"

namespace veldmarsh {

// For the males (sex 1, columns 1-3) and then the females (sex 2, columns
// 4-6) of the animals numbered in `year_animals`: home-bred animals,
// home-bred parents and imported parents (a parent has offspring that are
// not imports); and over those parents the mean, the standard deviation
// (divisor p - 1) and the maximum of `n_offspring_counted`. A mean needs one
// parent, a deviation two; otherwise the value is 0. Sums are exact and each
// value is rounded to single precision once. Every cell of both rows is
// written.
void count_parents_by_sex(const animal_table& animal, std::span<const std::int32_t> year_animals,
                          std::span<std::int32_t, 6> parent_counts, std::span<float, 6> offspring_stats);

}  // namespace veldmarsh
