// Litters and sires of one birth year: one row of `litter_stats`. A litter
// is all the young of one dam in one birth year.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/animal_record.h"

namespace veldmarsh {

// Work arrays indexed by animal number, kept between the years of a run so
// that no year clears more than it touched.
struct litter_work {
  std::vector<std::int32_t> dam_young;    // young of each dam in the current year; 0 outside a call
  std::vector<std::uint32_t> sire_stamp;  // call number that last met each sire
  std::uint32_t stamp = 0;
};

// Over the animals numbered in `year_animals`, in table order: entry 1 the
// litters, entry 2 the distinct sires, entry s + 2 the litters of s young
// (entry 102: 100 or more). A dam or sire is counted at its first young of
// the year, and only when that young is not an import; a litter's size
// counts its import young too. Every entry of the row is written.
void count_dams_and_sires(const animal_table& animal, std::span<const std::int32_t> year_animals,
                          std::span<std::int32_t, 102> litter_row, litter_work& work);

}  // namespace veldmarsh
