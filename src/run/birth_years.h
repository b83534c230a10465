// The first and last birth year of the pedigree: the range of every per-year
// table.
#pragma once

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_range.h"

namespace veldmarsh {

// The range of the birth years in `animal`: `first_year` the smallest other
// than 0, `last_year` the largest, 0 included (see year_range).
year_range find_birth_years(const animal_table& animal);

// The run ends with a diagnostic, before any table is filled or written,
// when the per-year tables of the whole population cannot be had for the
// birth years of `years`: together they may hold at most
// max_year_table_cells cells, and the memory for them must be there. The
// diagnostic names the animal whose birth year stretched the range (the end
// of the range farther from the next birth year inward) and its data line.
void check_year_table_room(run_context& ctx, const animal_table& animal, const year_range& years);

// The console line of the first and last year, then the log's time stamp
// ("Data file read at "), a blank line and the same line.
void write_birth_years(run_context& ctx, const year_range& years);

}  // namespace veldmarsh
