// First values of animal records, and the merging of equal texts.
#include "common/animal_record.h"

namespace veldmarsh {

animal_record new_animal_record() {
  animal_record r;  // blank identification, colour, breeder and subpopulation
  r.name.number = 1;  // "-"
  r.sire_id = unknown_parent;
  r.dam_id = unknown_parent;
  return r;
}

void merge_equal_texts(animal_table& animal) {
  const std::vector<std::uint32_t> identification = merge_equal_texts(animal.texts.identifications);
  const std::vector<std::uint32_t> name = merge_equal_texts(animal.texts.names);
  for (animal_record& r : animal.rows) {
    r.herdbook_nr.number = identification[r.herdbook_nr.number];
    r.sire_id.number = identification[r.sire_id.number];
    r.dam_id.number = identification[r.dam_id.number];
    r.name.number = name[r.name.number];
  }
  drop_text_index(animal.texts.identifications);
  drop_text_index(animal.texts.names);
}

}  // namespace veldmarsh
