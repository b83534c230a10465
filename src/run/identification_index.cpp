// The index of the animal table's identifications.
#include "run/identification_index.h"

namespace veldmarsh {

void index_herdbook_numbers(identification_index& index, const animal_table& animal) {
  const std::int64_t n = animal.size();
  reset_text_index(index, n);
  auto key_at = [&](std::int32_t row) -> const identification& { return animal[row].herdbook_nr; };
  // Hashes a few records ahead and fetches their slots early, so that the
  // memory waits of neighbouring records overlap.
  constexpr std::int64_t ahead = 16;
  std::uint64_t hashes[ahead];
  for (std::int64_t first = 1; first <= n; first += ahead) {
    const std::int64_t last = first + ahead - 1 < n ? first + ahead - 1 : n;
    for (std::int64_t i = first; i <= last; ++i) {
      hashes[i - first] = hash_text(animal[i].herdbook_nr);
      __builtin_prefetch(first_slot(index, hashes[i - first]), 1);
    }
    for (std::int64_t i = first; i <= last; ++i)
      insert_text(index, animal[i].herdbook_nr, hashes[i - first], static_cast<std::int32_t>(i), key_at);
  }
}

}  // namespace veldmarsh
