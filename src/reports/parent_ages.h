// Ages of the parents: for every animal, how old its sire and its dam were
// at its birth, in days of 365-day years, and the oldest parents in whole
// years, which size the tables of age classes.
#pragma once

#include <cstdint>

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// Days from the second date to the first: each date counts day + the days
// of the year before its month + 365 x year; leap days are not counted.
// Months lie in 1..12. In 64 bits, so that no year overflows.
std::int64_t days_between_dates(std::int32_t day1, std::int32_t month1, std::int32_t year1, std::int32_t day2,
                                std::int32_t month2, std::int32_t year2);

// Sets `sire_age_days` and `dam_age_days` of every animal (-1 = unknown: no
// parent, or a birth year 0 on either side; an age that does not fit in 32
// bits is clamped) and the largest of each divided by 365, truncated (with
// an empty table the smallest 32-bit integer / 365). Writes progress lines.
void calc_parent_ages(run_context& ctx, animal_table& animal, std::int32_t& max_sire_age,
                      std::int32_t& max_dam_age);

// The lines that close the phase: "oldest parents; " with both maxima on the
// console, then the time stamp and a blank line in the log.
void write_parent_ages_done(run_context& ctx, std::int32_t max_sire_age, std::int32_t max_dam_age);

}  // namespace veldmarsh
