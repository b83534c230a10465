// The most used sires of every birth year, and the male and the female with
// the most offspring. For the whole population and for each subpopulation.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "common/animal_record.h"
#include "common/birth_year_groups.h"
#include "common/run_context.h"
#include "common/year_table.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// For every birth year row k of `groups` (all animals, or the members of
// one subpopulation): adds the number of distinct sires of the year's young
// to `n_sires_by_year` (k) (the tables start at 0); sets `top_sire_by_year`
// (k) to the sire with the most young, the higher animal number on a tie, 0
// without a known sire; and row k of `top_sire_share` to the shares of the
// ten most used sires in the year's young with a known sire (imports
// included), largest first, 0 beyond the number of sires. Writes one
// console line per year, also for a year without animals.
void calc_top_sire_shares(run_context& ctx, const animal_table& animal, const birth_year_groups& groups,
                          top_sire_tables& tables);

// The shares of the top sires from fractions to percentages, as the reports
// print them. Once: a second call changes nothing.
void convert_shares_to_percentages(top_sire_tables& tables);

// What the top-sire report shows of each year's top sire (entry k - 1 for
// row k of `top_sire_by_year`); a year without a known sire gets record 1,
// and a number outside the table a blank record.
std::vector<animal_label> gather_top_sire_records(const animal_table& animal, const top_sire_tables& tables);

// The row of the animal of sex `sex` (1 male, 2 female) with the most
// offspring that are not imports (`n_offspring_counted`), the first in table
// order on a tie, among the animals of `members` (numbers in table order) or
// the whole table when `members` is null; 0 when there is no such animal.
std::int32_t choose_top_parent(const animal_table& animal, std::int32_t sex, const std::vector<std::int32_t>* members);

// The search for the male [0] and the female [1] with the most counted
// offspring, one animal at a time in table order (the first wins a tie).
struct top_parent_search {
  std::array<std::int32_t, 2> best{0, 0};  // animal numbers; 0 while none is met
  std::array<std::int32_t, 2> most{0, 0};
};

void add_top_parent_candidate(top_parent_search& search, std::int64_t i, const animal_record& a);

// `top_male_nr` and `top_female_nr` of `counts` from a finished search.
void set_top_parents(const top_parent_search& search, year_count_tables& counts);

// `top_male_nr` and `top_female_nr` of `counts`: choose_top_parent of each
// sex among the members (all animals when null).
void choose_top_parents(const animal_table& animal, const std::vector<std::int32_t>* members,
                        year_count_tables& counts);

// What the offspring report shows of record `row`; for row 0 (no animal of
// that sex) a blank record: blank name and identification, birth year 0,
// 0 offspring.
animal_label top_parent_record(const animal_table& animal, std::int32_t row);

}  // namespace veldmarsh
