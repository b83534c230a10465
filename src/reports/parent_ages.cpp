// Ages of the parents at every birth.
#include "reports/parent_ages.h"

#include <algorithm>
#include <cassert>
#include <limits>

#include "common/clock.h"
#include "common/free_format.h"

namespace veldmarsh {

namespace {

// Days of a 365-day year before each month.
constexpr std::int32_t month_start_days[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

std::int64_t days_before_month(std::int32_t month) {
  assert(month >= 1 && month <= 12);
  return month_start_days[std::clamp(month, 1, 12) - 1];
}

std::int32_t clamp_to_32_bits(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Age of parent p at the birth of animal a; -1 when either birth year is unknown.
std::int32_t age_at_birth(const animal_record& a, const animal_record& p) {
  if (a.birth_year <= 0 || p.birth_year == 0) return -1;
  return clamp_to_32_bits(
      days_between_dates(a.birth_day, a.birth_month, a.birth_year, p.birth_day, p.birth_month, p.birth_year));
}

}  // namespace

std::int64_t days_between_dates(std::int32_t day1, std::int32_t month1, std::int32_t year1, std::int32_t day2,
                                std::int32_t month2, std::int32_t year2) {
  std::int64_t first = day1 + days_before_month(month1) + std::int64_t{365} * year1;
  std::int64_t second = day2 + days_before_month(month2) + std::int64_t{365} * year2;
  return first - second;
}

void calc_parent_ages(run_context& ctx, animal_table& animal, std::int32_t& max_sire_age,
                      std::int32_t& max_dam_age) {
  const std::int64_t n_animals = animal.size();
  const std::int64_t interval = n_animals <= 10000 ? 100 : n_animals <= 25000 ? 200 : 500;
  std::int64_t counter = 0;
  std::int32_t oldest_sire = std::numeric_limits<std::int32_t>::min();
  std::int32_t oldest_dam = std::numeric_limits<std::int32_t>::min();
  for (std::int64_t i = 1; i <= n_animals; ++i) {
    if (counter == interval) {
      if (ctx.cfg.english)
        write_free_line(ctx.console, {"animal no. ", i - 1, "age parents determined"});
      else
        write_free_line(ctx.console, {"dier nr. ", i - 1, "leeftijd ouders bepaald"});
      counter = 0;
    }
    animal_record& a = animal[i];
    // Only birth dates are read, so each animal is done in one visit.
    a.sire_age_days = a.sire_nr != 0 ? age_at_birth(a, animal[a.sire_nr]) : -1;
    a.dam_age_days = a.dam_nr != 0 ? age_at_birth(a, animal[a.dam_nr]) : -1;
    oldest_sire = std::max(oldest_sire, a.sire_age_days);
    oldest_dam = std::max(oldest_dam, a.dam_age_days);
    ++counter;
  }
  max_sire_age = oldest_sire / 365;
  max_dam_age = oldest_dam / 365;
}

void write_parent_ages_done(run_context& ctx, std::int32_t max_sire_age, std::int32_t max_dam_age) {
  write_free_line(ctx.console, {ctx.cfg.english ? "oldest parents; " : "oudste ouders; ", max_sire_age, max_dam_age});
  read_clock(ctx);
  write_time_stamp(ctx, "Ages of parents determined at ", "Leeftijd ouders bepaald op ", " om ");
  write_free_line(ctx.log, {" "});
}

}  // namespace veldmarsh
