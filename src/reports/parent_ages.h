// Ages of the parents: for every animal, how old its sire and its dam were
// at its birth, in days of 365-day years, and the oldest parents in whole
// years, which size the tables of age classes; per birth year the young by
// the age class of their parents and the mean ages; over all years the mean
// ages of sires and dams.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Days from the second date to the first: each date counts day + the days
// of the year before its month + 365 x year; leap days are not counted.
// Months lie in 1..12. In 64 bits, so that no year overflows.
std::int64_t days_between_dates(std::int32_t day1, std::int32_t month1, std::int32_t year1, std::int32_t day2,
                                std::int32_t month2, std::int32_t year2);

// Sets `sire_age_days` and `dam_age_days` of every animal (-1 = unknown: no
// parent, or a birth year 0 on either side; an age that does not fit in 32
// bits is clamped) and returns the largest of each divided by 365, truncated
// (with an empty table the smallest 32-bit integer / 365). Writes progress
// lines.
oldest_parents calc_parent_ages(run_context& ctx, animal_table& animal);

// The lines that close the phase: "oldest parents; " with both maxima on the
// console, then the time stamp and a blank line in the log.
void write_parent_ages_done(run_context& ctx, const oldest_parents& oldest);

// The parents' ages over a set of animals, added one animal at a time: the
// oldest (in days) and the sums of the known ages (-1 left out).
struct parent_age_sums {
  std::int32_t oldest_sire_days = std::numeric_limits<std::int32_t>::min();
  std::int32_t oldest_dam_days = std::numeric_limits<std::int32_t>::min();
  std::int64_t sire_sum = 0, n_sire_ages = 0;
  std::int64_t dam_sum = 0, n_dam_ages = 0;
};

void add_parent_ages(parent_age_sums& sums, const animal_record& r);

// The oldest ages in whole years (days / 365, truncated).
oldest_parents oldest_parents_of(const parent_age_sums& sums);

// The mean sire age and the mean dam age in years; 0 without a known age.
std::array<float, 2> overall_parent_ages_of(const parent_age_sums& sums);

// The sums over the animals of `members` (numbers), or the whole table when null.
parent_age_sums sum_parent_ages(const animal_table& animal, const std::vector<std::int32_t>* members);

// The oldest sire and dam age in whole years (largest age in days / 365,
// truncated) over the animals of `members` (numbers in table order), or
// over the whole table when `members` is null; with no animal both are the
// smallest 32-bit integer / 365.
oldest_parents calc_max_parent_ages(const animal_table& animal, const std::vector<std::int32_t>* members);

// Row k of `sire_age_count` and `dam_age_count` (column a: ages of 365a + 1
// to 365a + 365 days; every cell of the row is written) and entry k of the
// mean-age tables: the mean of the positive ages in days, 0 without one.
void count_parent_age_classes(const animal_table& animal, std::span<const std::int32_t> year_animals,
                              std::int64_t k, year_count_tables& counts);

// The yearly mean ages from days to years, in place. Once: a second call
// changes nothing.
void convert_mean_ages_to_years(year_count_tables& counts);

// `overall_parent_ages`: the mean sire age and the mean dam age in years
// over every animal (or every member) whose age is known (not -1; ages of 0
// days or less take part); 0 when no age is known.
void calc_overall_parent_ages(const animal_table& animal, const std::vector<std::int32_t>* members,
                              std::array<float, 2>& overall_parent_ages);

// The generation interval: the plain mean of the overall mean ages of the
// sires and of the dams, in years.
float calc_generation_interval(const std::array<float, 2>& overall_parent_ages);

// What the reports need of the parents' ages once the yearly counting is
// done: the yearly means in years (convert_mean_ages_to_years), the overall
// means over the animals of the population (`members`, or all when null)
// and the generation interval.
void calc_mean_parent_ages(const animal_table& animal, const std::vector<std::int32_t>* members,
                           year_count_tables& counts);
void calc_mean_parent_ages(const parent_age_sums& sums, year_count_tables& counts);

}  // namespace veldmarsh
