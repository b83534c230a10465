// Ages of the parents at every birth, their classes and means.
#include "reports/parent_ages.h"

#include <algorithm>
#include <cassert>
#include <limits>

#include "common/clock.h"
#include "common/free_format.h"
#include "common/progress_interval.h"

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

oldest_parents calc_parent_ages(run_context& ctx, animal_table& animal) {
  const std::int64_t n_animals = animal.size();
  const std::int64_t interval = progress_interval(n_animals, linking_progress);
  std::int64_t counter = 0;
  std::int32_t oldest_sire = std::numeric_limits<std::int32_t>::min();
  std::int32_t oldest_dam = std::numeric_limits<std::int32_t>::min();
  for (std::int64_t i = 1; i <= n_animals; ++i) {
    if (counter == interval) {
      if (ctx.cfg.english)
        write_free_line(ctx.console, {"animal no. ", i - 1, "age parents determined"});
      else
        write_free_line(ctx.console, {"dier nr. ", i - 1, "leeftijd ouders bepaald"});
      show_progress(ctx.console);
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
  return {oldest_sire / 365, oldest_dam / 365};
}

void write_parent_ages_done(run_context& ctx, const oldest_parents& oldest) {
  write_free_line(ctx.console,
                  {ctx.cfg.english ? "oldest parents; " : "oudste ouders; ", oldest.max_sire_age, oldest.max_dam_age});
  read_clock(ctx);
  write_time_stamp(ctx, "Ages of parents determined at ", "Leeftijd ouders bepaald op ", " om ");
  write_free_line(ctx.log, {" "});
}

void add_parent_ages(parent_age_sums& sums, const animal_record& r) {
  sums.oldest_sire_days = std::max(sums.oldest_sire_days, r.sire_age_days);
  sums.oldest_dam_days = std::max(sums.oldest_dam_days, r.dam_age_days);
  if (r.sire_age_days != -1) {
    sums.sire_sum += r.sire_age_days;
    ++sums.n_sire_ages;
  }
  if (r.dam_age_days != -1) {
    sums.dam_sum += r.dam_age_days;
    ++sums.n_dam_ages;
  }
}

oldest_parents oldest_parents_of(const parent_age_sums& sums) {
  return {sums.oldest_sire_days / 365, sums.oldest_dam_days / 365};
}

std::array<float, 2> overall_parent_ages_of(const parent_age_sums& sums) {
  // Exact sums, one rounding for the mean in days, then to years as the
  // yearly means are; no known age gives 0.
  auto mean_days = [](std::int64_t sum, std::int64_t n) {
    return n > 0 ? static_cast<float>(static_cast<double>(sum) / static_cast<double>(n)) : 0.0f;
  };
  return {mean_days(sums.sire_sum, sums.n_sire_ages) / 365.0f, mean_days(sums.dam_sum, sums.n_dam_ages) / 365.0f};
}

parent_age_sums sum_parent_ages(const animal_table& animal, const std::vector<std::int32_t>* members) {
  parent_age_sums sums;
  for_each_member(animal, members, [&](std::int64_t i) { add_parent_ages(sums, animal[i]); });
  return sums;
}

oldest_parents calc_max_parent_ages(const animal_table& animal, const std::vector<std::int32_t>* members) {
  return oldest_parents_of(sum_parent_ages(animal, members));
}

void count_parent_age_classes(const animal_table& animal, std::span<const std::int32_t> year_animals,
                              std::int64_t k, year_count_tables& counts) {
  year_table<std::int32_t>& sires = counts.sire_age_count;
  year_table<std::int32_t>& dams = counts.dam_age_count;
  for (std::int64_t a = 1; a <= sires.n_cols; ++a) sires(k, a) = 0;
  for (std::int64_t a = 1; a <= dams.n_cols; ++a) dams(k, a) = 0;
  std::int64_t sire_sum = 0, dam_sum = 0, n_sire_ages = 0, n_dam_ages = 0;
  for (std::int32_t nr : year_animals) {
    const animal_record& r = animal[nr];
    // Class a holds 365a + 1 .. 365a + 365 days; a year or less is no class.
    if (r.sire_age_days > 365) {
      const std::int64_t a = (static_cast<std::int64_t>(r.sire_age_days) - 1) / 365;
      if (a <= sires.n_cols) ++sires(k, a);
    }
    if (r.dam_age_days > 365) {
      const std::int64_t a = (static_cast<std::int64_t>(r.dam_age_days) - 1) / 365;
      if (a <= dams.n_cols) ++dams(k, a);
    }
    if (r.sire_age_days > 0) {
      sire_sum += r.sire_age_days;
      ++n_sire_ages;
    }
    if (r.dam_age_days > 0) {
      dam_sum += r.dam_age_days;
      ++n_dam_ages;
    }
  }
  // Means from the exact sums, rounded once.
  counts.mean_sire_age_by_year(k, 1) =
      n_sire_ages > 0 ? static_cast<float>(static_cast<double>(sire_sum) / static_cast<double>(n_sire_ages)) : 0.0f;
  counts.mean_dam_age_by_year(k, 1) =
      n_dam_ages > 0 ? static_cast<float>(static_cast<double>(dam_sum) / static_cast<double>(n_dam_ages)) : 0.0f;
}

void convert_mean_ages_to_years(year_count_tables& counts) {
  if (counts.mean_ages_in_years) return;
  counts.mean_ages_in_years = true;
  for (float& v : counts.mean_sire_age_by_year.cells) v = v / 365.0f;
  for (float& v : counts.mean_dam_age_by_year.cells) v = v / 365.0f;
}

void calc_overall_parent_ages(const animal_table& animal, const std::vector<std::int32_t>* members,
                              std::array<float, 2>& overall_parent_ages) {
  overall_parent_ages = overall_parent_ages_of(sum_parent_ages(animal, members));
}

float calc_generation_interval(const std::array<float, 2>& overall_parent_ages) {
  return (overall_parent_ages[0] + overall_parent_ages[1]) * 0.5f;
}

void calc_mean_parent_ages(const parent_age_sums& sums, year_count_tables& counts) {
  convert_mean_ages_to_years(counts);
  counts.overall_parent_ages = overall_parent_ages_of(sums);
  counts.generation_interval = calc_generation_interval(counts.overall_parent_ages);
}

void calc_mean_parent_ages(const animal_table& animal, const std::vector<std::int32_t>* members,
                           year_count_tables& counts) {
  calc_mean_parent_ages(sum_parent_ages(animal, members), counts);
}

}  // namespace veldmarsh
