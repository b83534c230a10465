// Home-bred young of one birth year by the import status of their parents.
#include "reports/count_offspring_by_import_parents.h"

namespace veldmarsh {

void count_offspring_by_import_parents(const animal_table& animal, std::span<const std::int32_t> year_animals,
                                       std::span<std::int32_t, 4> import_counts) {
  for (std::int32_t& c : import_counts) c = 0;
  for (std::int32_t nr : year_animals) {
    const animal_record& a = animal[nr];
    if (a.is_import || a.sire_nr == 0 || a.dam_nr == 0) continue;
    const int column = 1 + (animal[a.sire_nr].is_import ? 1 : 0) + (animal[a.dam_nr].is_import ? 2 : 0);
    ++import_counts[static_cast<std::size_t>(column - 1)];
  }
}

}  // namespace veldmarsh
