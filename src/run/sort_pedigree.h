// The pedigree sort: parents before their offspring, then renumbering so that
// an animal's number is its row again. Also the reports of offspring born in
// an earlier year than a parent, and `move_after_parents`.
#pragma once

#include <cstdint>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// Reorders the linked table so that every known parent stands before all of
// its offspring and renumbers records and links. Writes the lines of every
// sweep and the birth-before-parent reports (console and report file). When
// the pedigree holds a loop it hands the animals it could not place to the
// loop report, which ends the run.
void sort_pedigree(run_context& ctx, animal_table& animal);

// The sweeps of the sort, with their console lines and the birth-before-
// parent reports. Positions are handed out from the last one down: each
// sweep places, from the last row upwards, every animal none of whose
// offspring is still unplaced; a parent freed by an offspring in a higher
// row is placed later in the same sweep, one freed from a lower row in the
// next sweep. Fills sort_order (position -> row, one-based, 0 where nothing
// was placed) and placed (per row). Returns true when every animal is
// placed; false as soon as a sweep leaves no animal that could still be
// placed (a pedigree loop). Each sweep places at least one animal.
bool find_sort_order(run_context& ctx, const animal_table& animal, std::vector<std::int32_t>& sort_order,
                     std::vector<char>& placed);

// Moves the records to their positions and renumbers `nr`, `sire_nr` and
// `dam_nr` (0 stays 0).
void reorder_and_renumber(animal_table& animal, const std::vector<std::int32_t>& sort_order);

// Moves animal k behind the later of its parents p (rows k+1..p move up one)
// and renumbers. With p <= k nothing changes. The run does not use it.
void move_after_parents(animal_table& animal, std::int64_t k);

}  // namespace veldmarsh
