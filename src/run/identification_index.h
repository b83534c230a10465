// The index of the animal table's identifications: finds the first record
// that carries an identification (see common/text_index.h), with the walk
// over the parents' identifications that the missing-parent search and the
// linking share.
#pragma once

#include <cstdint>

#include "common/animal_record.h"
#include "common/text_index.h"

namespace veldmarsh {

using identification = fixed_text<50>;
using identification_index = text_index<50>;

// Calls visit(i, sire_hash, dam_hash) for records 1..animal.size() in table
// order. The parents' identifications are hashed a few records ahead and
// their first slots fetched early, so that look-ups in a large table wait
// less on memory.
template <typename Visit>
void for_each_parent_hash(const identification_index& index, const animal_table& animal, Visit&& visit) {
  constexpr std::int64_t ahead = 8;
  const std::int64_t n = animal.size();
  std::uint64_t sire_hash[ahead], dam_hash[ahead];
  for (std::int64_t first = 1; first <= n; first += ahead) {
    const std::int64_t last = first + ahead - 1 < n ? first + ahead - 1 : n;
    for (std::int64_t i = first; i <= last; ++i) {
      sire_hash[i - first] = hash_text(animal[i].sire_id);
      dam_hash[i - first] = hash_text(animal[i].dam_id);
      __builtin_prefetch(first_slot(index, sire_hash[i - first]));
      __builtin_prefetch(first_slot(index, dam_hash[i - first]));
    }
    for (std::int64_t i = first; i <= last; ++i) visit(i, sire_hash[i - first], dam_hash[i - first]);
  }
}

// Indexes the identification (`herdbook_nr`) of records 1..animal.size();
// when an identification occurs more than once the first record keeps it.
void index_herdbook_numbers(identification_index& index, const animal_table& animal);

// The first record whose identification is `id`, 0 when there is none.
inline std::int32_t find_herdbook_nr(const identification_index& index, const animal_table& animal,
                                     const identification& id, std::uint64_t hash) {
  return find_text(index, id, hash,
                   [&](std::int32_t row) -> const identification& { return animal[row].herdbook_nr; });
}

}  // namespace veldmarsh
