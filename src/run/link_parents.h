// Linking parents and offspring: every animal gets the record numbers of its
// sire and dam, every parent its offspring counts; then the table is sorted.
#pragma once

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// Links the whole table in place (an identification that occurs more than
// once links to its first record), writes the progress lines, the closing
// console line and the time stamp, and calls sort_pedigree, which ends the
// run when the pedigree holds a loop.
void link_parents(run_context& ctx, animal_table& animal);

// Steps of link_parents before its closing lines: the links, the offspring
// counts and the progress lines.
void link_parent_numbers(run_context& ctx, animal_table& animal);

}  // namespace veldmarsh
