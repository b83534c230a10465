// Records for parents that have no line of their own: the search for them,
// the messages on how many there are, and the growth of the animal table by
// one record per missing sire and then one per missing dam.
#pragma once

#include <cstdint>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// Lists once each sire and each dam identification (other than "0") that no
// record carries, in the order first met; the two lists are independent.
// The lists hold exactly the missing identifications (entry 0 is the first).
// Writes a progress line every 10000 records and the closing count line.
void check_parents(run_context& ctx, const animal_table& animal, std::int64_t& n_missing_dams,
                   std::vector<fixed_text<50>>& missing_dam_ids, std::int64_t& n_missing_sires,
                   std::vector<fixed_text<50>>& missing_sire_ids);

// The console and log lines on the numbers of missing sires and dams.
void report_missing_parents(run_context& ctx, std::int64_t n_missing_sires, std::int64_t n_missing_dams);

// Grows the table by one male record per missing sire and then one female
// record per missing dam, numbered on from n_animals + 1, and writes the new
// total. Does nothing when no parent is missing.
void append_missing_parents(run_context& ctx, animal_table& animal, std::int64_t& n_animals,
                            std::int64_t n_missing_sires, const std::vector<fixed_text<50>>& missing_sire_ids,
                            std::int64_t n_missing_dams, const std::vector<fixed_text<50>>& missing_dam_ids);

// The record of a parent known only by its identification: unknown parents
// and birth date, blank name and codes, every derived field 0.
animal_record missing_parent_record(const fixed_text<50>& id, std::int32_t sex, std::int32_t nr);

}  // namespace veldmarsh
