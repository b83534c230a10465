// Litters and sires of one birth year.
//
// One pass counts the young of every dam of the year; a second pass, in
// table order, takes each dam and sire at its first young and sets the dam's
// count back to 0, so the work arrays are clean again when the call returns.
// Linear in the year's animals instead of comparing every pair of them.
#include "reports/count_dams_and_sires.h"

#include <algorithm>
#include <cassert>

namespace veldmarsh {

void count_dams_and_sires(const animal_table& animal, std::span<const std::int32_t> year_animals,
                          std::span<std::int32_t, 102> litter_row, litter_work& work) {
  for (std::int32_t& c : litter_row) c = 0;
  const std::size_t n_numbers = static_cast<std::size_t>(animal.size()) + 1;
  if (work.dam_young.size() < n_numbers) work.dam_young.resize(n_numbers, 0);
  if (work.sire_stamp.size() < n_numbers) work.sire_stamp.resize(n_numbers, 0);
  if (++work.stamp == 0) {  // wrapped: no stamp of an earlier call may match
    std::fill(work.sire_stamp.begin(), work.sire_stamp.end(), 0);
    work.stamp = 1;
  }

  for (std::int32_t nr : year_animals) {
    const std::int32_t d = animal[nr].dam_nr;
    if (d != 0) ++work.dam_young[static_cast<std::size_t>(d)];
  }
  for (std::int32_t nr : year_animals) {
    const animal_record& a = animal[nr];
    if (a.dam_nr != 0) {
      std::int32_t& young = work.dam_young[static_cast<std::size_t>(a.dam_nr)];
      if (young > 0) {  // the dam's first young of the year
        if (!a.is_import) {
          ++litter_row[0];
          ++litter_row[static_cast<std::size_t>(std::min(young, 100) + 1)];
        }
        young = 0;
      }
    }
    if (a.sire_nr != 0) {
      std::uint32_t& seen = work.sire_stamp[static_cast<std::size_t>(a.sire_nr)];
      if (seen != work.stamp) {  // the sire's first young of the year
        if (!a.is_import) ++litter_row[1];
        seen = work.stamp;
      }
    }
  }
}

}  // namespace veldmarsh
