// First and last birth year.
#include "run/birth_years.h"

#include <algorithm>
#include <limits>

#include "common/clock.h"
#include "common/free_format.h"

namespace veldmarsh {

year_range find_birth_years(const animal_table& animal) {
  std::int32_t first_year = std::numeric_limits<std::int32_t>::max();
  std::int32_t last_year = std::numeric_limits<std::int32_t>::min();
  for (std::int64_t i = 1; i <= animal.size(); ++i) {
    const std::int32_t year = animal[i].birth_year;
    if (year != 0) first_year = std::min(first_year, year);
    last_year = std::max(last_year, year);
  }
  return make_year_range(first_year, last_year);
}

void write_birth_years(run_context& ctx, const year_range& years) {
  read_clock(ctx);
  const bool en = ctx.cfg.english;
  const char* first_text = en ? "first year " : "startjaar ";
  const char* last_text = en ? "last year " : "eindjaar ";
  write_free_line(ctx.console, {first_text, years.first_year, last_text, years.last_year});
  write_time_stamp(ctx, "Data file read at ", "Data file gelezen op ", " om ");
  write_free_line(ctx.log, {" "});
  write_free_line(ctx.log, {first_text, years.first_year, last_text, years.last_year});
}

}  // namespace veldmarsh
