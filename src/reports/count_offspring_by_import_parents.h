// Home-bred young of one birth year by the import status of their parents:
// one row of `import_parent_counts_by_year`.
#pragma once

#include <cstdint>
#include <span>

#include "common/animal_record.h"

namespace veldmarsh {

// Over the animals numbered in `year_animals` that are not imports and have
// both parents known: 1 neither parent is an import, 2 only the sire is, 3
// only the dam is, 4 both are. Every cell of the row is written.
void count_offspring_by_import_parents(const animal_table& animal, std::span<const std::int32_t> year_animals,
                                       std::span<std::int32_t, 4> import_counts);

}  // namespace veldmarsh
