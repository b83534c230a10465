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

// The console line of the first and last year, then the log's time stamp
// ("Data file read at "), a blank line and the same line.
void write_birth_years(run_context& ctx, const year_range& years);

}  // namespace veldmarsh
