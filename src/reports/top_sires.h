// The most used sires of every birth year, and the male and the female with
// the most offspring. For the whole population and for each subpopulation.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_table.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Allocates the three tables with `n_years` rows, all zero. A table too
// large for memory ends the run with a diagnostic.
void allocate_top_sire_tables(run_context& ctx, top_sire_tables& tables, std::int64_t n_years);

// For every birth year row k of `records` (the whole table, or the records
// of one subpopulation's members in table order): adds the number of
// distinct sires of the year's young to `n_sires_by_year` (k) (the caller
// clears it first); sets `top_sire_by_year` (k) to the sire with the most
// young, the higher animal number on a tie, 0 without a known sire; and row
// k of `top_sire_share` to the shares of the ten most used sires in the
// year's young with a known sire (imports included), largest first, 0 beyond
// the number of sires. Writes one console line per year, also for a year
// without animals.
void calc_top_sire_shares(run_context& ctx, std::span<const animal_record> records, std::int64_t n_years,
                          std::int32_t first_year, year_table<std::int32_t>& n_sires_by_year,
                          year_table<float>& top_sire_share, year_table<std::int32_t>& top_sire_by_year);

// Turns every 0 of `top_sire_by_year` into 1, so that every year names a
// record, and returns the record of each year's top sire from `animal`
// (entry k - 1 for row k). The report tells a year without sires by its
// sire count of 0. A number outside the table gives a blank record.
std::vector<animal_record> gather_top_sire_records(const animal_table& animal,
                                                   year_table<std::int32_t>& top_sire_by_year);

// The row of the animal of sex `sex` (1 male, 2 female) with the most
// offspring that are not imports (`n_offspring_counted`), the first in table
// order on a tie, among the animals flagged in `members` (indexed by number)
// or the whole table when `members` is null; 0 when there is no such animal.
std::int32_t choose_top_parent(const animal_table& animal, std::int32_t sex, const std::vector<bool>* members);

// The record of row `row` for the offspring report; for row 0 (no animal of
// that sex) a blank record: blank name and identification, birth year 0,
// 0 offspring.
animal_record top_parent_record(const animal_table& animal, std::int32_t row);

}  // namespace veldmarsh
