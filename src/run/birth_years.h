// The first and last birth year of the pedigree and the number of rows of
// every per-year table.
#pragma once

#include <cstdint>

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// `first_year`: the smallest birth year other than 0 (2147483647 when there
// is none); `last_year`: the largest birth year, 0 included (-2147483648 for
// an empty table); `n_years` = max(0, last_year - first_year + 1), in 64 bits.
void find_birth_years(const animal_table& animal, std::int32_t& first_year, std::int32_t& last_year,
                      std::int64_t& n_years);

// The console line of the first and last year, then the log's time stamp
// ("Data file read at "), a blank line and the same line.
void write_birth_years(run_context& ctx, std::int32_t first_year, std::int32_t last_year);

}  // namespace veldmarsh
