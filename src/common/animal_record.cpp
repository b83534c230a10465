// First values of animal records.
#include "common/animal_record.h"

namespace veldmarsh {

animal_record new_animal_record() {
  animal_record r;
  set_text(r.herdbook_nr, "");
  set_text(r.name, "-");
  set_text(r.sire_id, "0");
  set_text(r.dam_id, "0");
  set_text(r.colour, "");
  set_text(r.breeder, "");
  set_text(r.subpop_code, "");
  return r;
}

}  // namespace veldmarsh
