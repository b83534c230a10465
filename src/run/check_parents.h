// Records for parents that have no line of their own: the search for them,
// the messages on how many there are, and the growth of the animal table by
// one record per missing sire and then one per missing dam.
#pragma once

#include <cstdint>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// The parents named without a record of their own: each sire and each dam
// identification (other than "0") that no record carries, once, in the order
// first met. The two lists are independent: an identification missing as a
// sire and as a dam is in both.
struct missing_parents {
  std::vector<identification_ref> sire_ids;
  std::vector<identification_ref> dam_ids;
};

// Fills `missing` from the whole table. Writes a progress line every 10000
// records and the closing count line.
void check_parents(run_context& ctx, const animal_table& animal, missing_parents& missing);

// The console and log lines on the numbers of missing sires and dams.
void report_missing_parents(run_context& ctx, const missing_parents& missing);

// Grows the table by one male record per missing sire and then one female
// record per missing dam, numbered on after the last record, and writes the
// new total. Does nothing when no parent is missing.
void append_missing_parents(run_context& ctx, const missing_parents& missing, animal_table& animal);

// The record of a parent known only by its identification: unknown parents
// and birth date, blank name and codes, every derived field 0.
animal_record missing_parent_record(identification_ref id, std::int32_t sex, std::int32_t nr);

}  // namespace veldmarsh
