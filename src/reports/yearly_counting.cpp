// The yearly counting loop.
//
// Each year's work touches only that year's animals (birth_year_groups);
// colour codes and top breeders are found by the number of the animal's
// colour or breeder among the table's texts. The whole loop is linear in the number
// of animals plus the number of years.
#include "reports/yearly_counting.h"

#include <algorithm>
#include <cassert>
#include <span>
#include <string>

#include "common/free_format.h"
#include "common/stops.h"
#include "reports/count_dams_and_sires.h"
#include "reports/count_offspring_by_import_parents.h"
#include "reports/count_parents_by_sex.h"
#include "reports/parent_ages.h"

namespace veldmarsh {

namespace {

// By the number of every colour among the table's texts: the columns of
// the codes it equals (a code listed twice has two columns).
using code_columns = std::vector<std::vector<std::int64_t>>;

code_columns index_colour_codes(const animal_table& animal, const std::vector<fixed_text<40>>& codes,
                                std::int64_t n_codes) {
  code_columns index(text_count(animal.texts.colours));
  n_codes = std::min<std::int64_t>(n_codes, static_cast<std::int64_t>(codes.size()));
  for (std::int64_t c = 1; c <= n_codes; ++c) {
    const std::int64_t number =
        find_text<text_field::colour>(animal.texts, codes[static_cast<std::size_t>(c - 1)].view());
    if (number >= 0) index[static_cast<std::size_t>(number)].push_back(c);
  }
  return index;
}

// Row k of the colour table: the year's animals per code 1..C - 1, and in
// column C the rest (which may be negative when a code is listed twice).
void count_colours(const animal_table& animal, std::span<const std::int32_t> year_animals, std::int64_t k,
                   const code_columns& colours, year_table<std::int32_t>& colour_counts) {
  const std::int64_t n_classes = colour_counts.n_cols;
  if (n_classes < 1) return;
  for (std::int64_t c = 1; c <= n_classes; ++c) colour_counts(k, c) = 0;
  std::int64_t counted = 0;
  for (std::int32_t nr : year_animals)
    for (std::int64_t c : colours[animal[nr].colour.number]) {
      ++colour_counts(k, c);
      ++counted;
    }
  colour_counts(k, n_classes) = static_cast<std::int32_t>(static_cast<std::int64_t>(year_animals.size()) - counted);
}

// Row k of the breeder table: per top breeder b its animals (2b - 1) and
// their parents (2b, imports included); then the animals of all others and
// the home-bred parents of the year less the top breeders' parents.
// `top_breeder` gives, by the number of a breeder's name, its place among
// the top breeders (0: none).
void count_breeders(const animal_table& animal, std::span<const std::int32_t> year_animals, std::int64_t k,
                    const std::vector<std::int32_t>& top_breeder, year_count_tables& counts) {
  year_table<std::int32_t>& breeder_year_counts = counts.breeder_year_counts;
  const year_table<std::int32_t>& parent_counts = counts.parent_counts_by_year;
  const std::int64_t n = (breeder_year_counts.n_cols - 2) / 2;
  for (std::int64_t c = 1; c <= 2 * n + 2; ++c) breeder_year_counts(k, c) = 0;
  std::int64_t animals_of_top = 0, parents_of_top = 0;
  for (std::int32_t nr : year_animals) {
    const animal_record& a = animal[nr];
    const std::int64_t b = top_breeder[a.breeder.number];
    if (b == 0) continue;
    ++breeder_year_counts(k, 2 * b - 1);
    ++animals_of_top;
    if (a.has_counted_offspring) {
      ++breeder_year_counts(k, 2 * b);
      ++parents_of_top;
    }
  }
  breeder_year_counts(k, 2 * n + 1) =
      static_cast<std::int32_t>(static_cast<std::int64_t>(year_animals.size()) - animals_of_top);
  breeder_year_counts(k, 2 * n + 2) = static_cast<std::int32_t>(
      static_cast<std::int64_t>(parent_counts(k, 2)) + parent_counts(k, 5) - parents_of_top);
}

void write_year_line(run_context& ctx, const fixed_text<20>* subpop_code, std::int32_t year) {
  const bool english = ctx.cfg.english;
  if (subpop_code == nullptr) {
    if (english)
      write_free_line(ctx.console, {"year ", year, "determined ages parents, litter sizes, etc."});
    else
      write_free_line(ctx.console, {"jaar ", year, "leeftijden ouders, worpgroottes etc. bepaald"});
  } else if (english) {
    write_free_line(ctx.console, {"type ", *subpop_code, "year ", year,
                                  "determined ages of parents, number of animals per colour type, etc."});
  } else {
    write_free_line(ctx.console, {"type ", *subpop_code, "jaar ", year,
                                  "leeftijden ouders, aantallen per kleur, topfokker etc. bepaald"});
  }
}

}  // namespace

void allocate_year_count_tables(run_context& ctx, const year_range& years, const oldest_parents& oldest,
                                std::int32_t n_top_breeders, year_count_tables& counts) {
  const std::int64_t n_years = years.n_years;
  // Without a colour column the table has one column that is never filled.
  const std::int64_t n_colour_columns = ctx.cfg.has_colour_column ? ctx.cfg.n_colour_classes : 1;
  counts = year_count_tables{};
  counts.oldest = oldest;
  allocate_tables(ctx,
                  "the per-year tables of parents and litters (birth years " + std::to_string(n_years) +
                      ", oldest parents " + std::to_string(oldest.max_sire_age) + " and " +
                      std::to_string(oldest.max_dam_age) + " years)",
                  [&] {
                    return allocate_year_table(counts.sire_age_count, n_years, oldest.max_sire_age) &&
                           allocate_year_table(counts.dam_age_count, n_years, oldest.max_dam_age) &&
                           allocate_year_table(counts.parent_counts_by_year, n_years, 6) &&
                           allocate_year_table(counts.import_parent_counts_by_year, n_years, 4) &&
                           allocate_year_table(counts.offspring_stats_by_year, n_years, 6) &&
                           allocate_year_table(counts.litter_stats, n_years, 102) &&
                           allocate_year_table(counts.mean_sire_age_by_year, n_years, 1) &&
                           allocate_year_table(counts.mean_dam_age_by_year, n_years, 1) &&
                           allocate_year_table(counts.colour_counts_by_year, n_years, n_colour_columns) &&
                           allocate_year_table(counts.breeder_year_counts, n_years,
                                               2 * static_cast<std::int64_t>(n_top_breeders) + 2) &&
                           allocate_year_table(counts.completeness.mean_equiv_generations_by_year, n_years, 1) &&
                           allocate_year_table(counts.completeness.completeness_by_year, n_years, 5) &&
                           allocate_year_table(counts.top_sires.n_sires_by_year, n_years, 1) &&
                           allocate_year_table(counts.top_sires.top_sire_by_year, n_years, 1) &&
                           allocate_year_table(counts.top_sires.top_sire_share, n_years, 10);
                  });
}

void count_by_birth_year(run_context& ctx, const animal_table& animal, const birth_year_groups& groups,
                         const breeder_tables& breeders, year_count_tables& counts,
                         const fixed_text<20>* subpop_code) {
  const settings& cfg = ctx.cfg;
  const year_range& years = groups.years;
  if (years.n_years < 1) return;
  const code_columns colours =
      cfg.has_colour_column ? index_colour_codes(animal, cfg.colour_codes, counts.colour_counts_by_year.n_cols - 1)
                            : code_columns{};
  // The top breeders are the first entries of the list, each named once.
  const std::int64_t n_top = std::max<std::int64_t>(0, breeders.n_top_breeders);
  const std::vector<std::int32_t> top_breeder =
      cfg.has_breeder_column ? breeder_positions(animal, breeders.breeder_list, n_top) : std::vector<std::int32_t>{};
  litter_work work;
  assert(!cfg.has_breeder_column || counts.breeder_year_counts.n_cols == 2 * n_top + 2);

  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    const std::span<const std::int32_t> year_animals = groups.of(k);
    if (!year_animals.empty()) {
      count_parents_by_sex(animal, year_animals, std::span<std::int32_t, 6>(&counts.parent_counts_by_year(k, 1), 6),
                           std::span<float, 6>(&counts.offspring_stats_by_year(k, 1), 6));
      if (cfg.has_import_column)
        count_offspring_by_import_parents(animal, year_animals,
                                          std::span<std::int32_t, 4>(&counts.import_parent_counts_by_year(k, 1), 4));
      count_dams_and_sires(animal, year_animals, std::span<std::int32_t, 102>(&counts.litter_stats(k, 1), 102), work);
    }
    count_parent_age_classes(animal, year_animals, k, counts);
    if (cfg.has_colour_column) count_colours(animal, year_animals, k, colours, counts.colour_counts_by_year);
    if (cfg.has_breeder_column) count_breeders(animal, year_animals, k, top_breeder, counts);
    write_year_line(ctx, subpop_code, static_cast<std::int32_t>(years.year_of(k)));
  }
}

void count_population_by_birth_year(run_context& ctx, const animal_table& animal, const birth_year_groups& groups,
                                    const breeder_tables& breeders, year_count_tables& counts) {
  write_free_line(ctx.console, {ctx.cfg.english ? "monitor data per jaar" : "monitor gegevens per jaar"});
  count_by_birth_year(ctx, animal, groups, breeders, counts, nullptr);
}

void count_non_parents(year_count_tables& counts) {
  if (counts.non_parents_counted) return;
  counts.non_parents_counted = true;
  year_table<std::int32_t>& parents = counts.parent_counts_by_year;
  std::array<std::int64_t, 6> totals{};
  for (std::int64_t k = 1; k <= parents.n_rows && parents.n_cols >= 6; ++k) {
    parents(k, 1) -= parents(k, 2);
    parents(k, 4) -= parents(k, 5);
    for (std::size_t j = 0; j < 6; ++j) totals[j] += parents(k, static_cast<std::int64_t>(j) + 1);
  }
  for (std::size_t j = 0; j < 6; ++j) counts.population_totals[j] = static_cast<std::int32_t>(totals[j]);
}

void release_year_count_tables(year_count_tables& counts) {
  counts.sire_age_count = {};
  counts.dam_age_count = {};
  counts.parent_counts_by_year = {};
  counts.offspring_stats_by_year = {};
  counts.colour_counts_by_year = {};
  counts.litter_stats = {};
  counts.mean_sire_age_by_year = {};
  counts.mean_dam_age_by_year = {};
  counts.import_parent_counts_by_year = {};
}

}  // namespace veldmarsh
