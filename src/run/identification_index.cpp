// The first record of each identification.
#include "run/identification_index.h"

namespace veldmarsh {

std::vector<std::int32_t> first_record_of_identifications(const animal_table& animal) {
  std::vector<std::int32_t> first(text_count(animal.texts.identifications), 0);
  for (std::int64_t i = animal.size(); i >= 1; --i)
    first[animal[i].herdbook_nr.number] = static_cast<std::int32_t>(i);
  return first;
}

}  // namespace veldmarsh
