// First and last birth year.
#include "run/birth_years.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include "common/clock.h"
#include "common/free_format.h"
#include "common/run_files.h"
#include "common/stops.h"
#include "common/year_table.h"
#include "run/steering_file.h"

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

namespace {

// The columns, per birth year, of the whole population's tables that the
// subpopulations add: the births by subpopulation, and the mean F and
// kinship within each subpopulation and between each pair of them.
std::int64_t subpop_year_columns(const settings& cfg) {
  const std::int64_t n_subpop = std::max(cfg.n_subpop, 0);
  return n_subpop + 2 * n_subpop + n_subpop * (n_subpop - 1) / 2;
}

// All the columns, per birth year, of the whole population's tables that
// the settings fix: the yearly counts of parents, imports, offspring,
// litters (102), mean ages, colours, breeders (at least 2), completeness and
// top sires; the subpopulation columns; the inbreeding table; and the two
// 64-bit indexes of the animals by birth year. The tables of the parents'
// ages and the top breeders add more once those are known.
std::int64_t year_table_columns(const settings& cfg) {
  const std::int64_t colours = cfg.has_colour_column ? cfg.n_colour_classes : 1;
  return 6 + 4 + 6 + 102 + 1 + 1 + colours + 2 + 1 + 5 + 1 + 1 + 10 + 6 + subpop_year_columns(cfg) + 4;
}

// Whether `bytes` can be had now; the memory is given back at once.
bool memory_available(std::int64_t bytes) {
  // Kept in a volatile, so that the request is really made.
  static void* volatile probe = nullptr;
  probe = std::malloc(static_cast<std::size_t>(bytes));
  const bool available = probe != nullptr;
  std::free(probe);
  probe = nullptr;
  return available;
}

// Whether tables of `n_years` rows of `columns` single cells can be had.
bool year_tables_fit(std::int64_t n_years, std::int64_t columns) {
  return n_years <= max_year_table_cells / columns && memory_available(n_years * columns * 4);
}

// The first record holding the birth year at the end of the range farther
// from the next birth year inward; on a tie, the end farther from year 0.
std::int64_t record_stretching_range(const animal_table& animal, const year_range& years) {
  const std::int64_t first = years.first_year, last = years.last_year;
  std::int64_t inner_low = last, inner_high = first;
  for (std::int64_t i = 1; i <= animal.size(); ++i) {
    const std::int64_t year = animal[i].birth_year;
    if (year != 0 && year > first) inner_low = std::min(inner_low, year);
    if (year < last) inner_high = std::max(inner_high, year);
  }
  const std::int64_t gap_low = inner_low - first, gap_high = last - inner_high;
  const bool low_end = gap_low > gap_high || (gap_low == gap_high && std::llabs(first) > std::llabs(last));
  const std::int32_t end = low_end ? years.first_year : years.last_year;
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    if (animal[i].birth_year == end) return i;
  return 1;
}

}  // namespace

void check_year_table_room(run_context& ctx, const animal_table& animal, const year_range& years) {
  if (years.n_years < 1) return;
  const std::int64_t columns = year_table_columns(ctx.cfg);
  if (year_tables_fit(years.n_years, columns)) return;
  const std::string tables = "cannot allocate the per-year tables of the birth years " +
                             std::to_string(years.first_year) + " to " + std::to_string(years.last_year);
  // The subpopulations size the tables when the years alone would fit.
  const std::int64_t subpop_columns = subpop_year_columns(ctx.cfg);
  if (subpop_columns > 0 && year_tables_fit(years.n_years, columns - subpop_columns))
    fail_diagnostic(ctx,
                    tables + ": " + std::to_string(ctx.cfg.n_subpop) + " subpopulations take " +
                        std::to_string(subpop_columns) + " columns a year",
                    "steering file", steering_file_name, subpop_count_line);
  const std::int64_t r = record_stretching_range(animal, years);
  const animal_record& a = animal[r];
  fail_diagnostic(ctx,
                  tables + ": the birth year " + std::to_string(a.birth_year) + " of animal '" +
                      std::string(trimmed_text_of(animal.texts, a.herdbook_nr)) + "' stretches them",
                  "data file", trim_right(ctx.cfg.data_file_name.view()),
                  r + (ctx.cfg.has_header ? 1 : 0));
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
