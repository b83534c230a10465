// The yearly counting loop.
//
// The animals are put in buckets by birth year in one pass (in table order
// within each year), so each year's work touches only that year's animals;
// colour and breeder codes are found through a hash of the code texts. The
// whole loop is linear in the number of animals plus the number of years.
#include "reports/yearly_counting.h"

#include <algorithm>
#include <cassert>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/free_format.h"
#include "common/stops.h"
#include "reports/count_dams_and_sires.h"
#include "reports/count_offspring_by_import_parents.h"
#include "reports/count_parents_by_sex.h"
#include "reports/parent_ages.h"

namespace veldmarsh {

namespace {

// The columns whose code equals a text; a code listed twice has two columns.
using code_columns = std::unordered_map<std::string_view, std::vector<std::int64_t>>;

template <std::size_t N>
code_columns index_codes(const std::vector<fixed_text<N>>& codes, std::int64_t n_codes) {
  code_columns index;
  n_codes = std::min<std::int64_t>(n_codes, static_cast<std::int64_t>(codes.size()));
  for (std::int64_t c = 1; c <= n_codes; ++c) index[codes[static_cast<std::size_t>(c - 1)].view()].push_back(c);
  return index;
}

// The numbers of the counted animals, grouped by birth year row (rows
// 1..n_years), in table order within a row.
struct year_buckets {
  std::vector<std::int64_t> start;  // row k holds numbers[start[k - 1] .. start[k] - 1]
  std::vector<std::int32_t> numbers;

  std::span<const std::int32_t> of(std::int64_t k) const {
    const std::size_t from = static_cast<std::size_t>(start[static_cast<std::size_t>(k - 1)]);
    const std::size_t to = static_cast<std::size_t>(start[static_cast<std::size_t>(k)]);
    return std::span<const std::int32_t>(numbers.data() + from, to - from);
  }
};

year_buckets bucket_by_year(const animal_table& animal, const std::vector<bool>* members, std::int64_t n_years,
                            std::int32_t first_year) {
  year_buckets b;
  b.start.assign(static_cast<std::size_t>(n_years) + 1, 0);
  auto row_of = [&](std::int64_t i) -> std::int64_t {
    if (members != nullptr && !(*members)[static_cast<std::size_t>(i)]) return 0;
    const std::int64_t k = static_cast<std::int64_t>(animal[i].birth_year) - first_year + 1;
    return k >= 1 && k <= n_years ? k : 0;
  };
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    if (std::int64_t k = row_of(i)) ++b.start[static_cast<std::size_t>(k)];
  for (std::int64_t k = 1; k <= n_years; ++k) b.start[static_cast<std::size_t>(k)] += b.start[static_cast<std::size_t>(k - 1)];
  b.numbers.resize(static_cast<std::size_t>(b.start.back()));
  std::vector<std::int64_t> next(b.start.begin(), b.start.end() - 1);
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    if (std::int64_t k = row_of(i)) b.numbers[static_cast<std::size_t>(next[static_cast<std::size_t>(k - 1)]++)] =
        static_cast<std::int32_t>(i);
  return b;
}

// Row k of the colour table: the year's animals per code 1..C - 1, and in
// column C the rest (which may be negative when a code is listed twice).
void count_colours(const animal_table& animal, std::span<const std::int32_t> year_animals, std::int64_t k,
                   const code_columns& colours, year_table<std::int32_t>& colour_counts) {
  const std::int64_t n_classes = colour_counts.n_cols;
  if (n_classes < 1) return;
  for (std::int64_t c = 1; c <= n_classes; ++c) colour_counts(k, c) = 0;
  std::int64_t counted = 0;
  for (std::int32_t nr : year_animals) {
    auto it = colours.find(animal[nr].colour.view());
    if (it == colours.end()) continue;
    for (std::int64_t c : it->second) {
      ++colour_counts(k, c);
      ++counted;
    }
  }
  colour_counts(k, n_classes) = static_cast<std::int32_t>(static_cast<std::int64_t>(year_animals.size()) - counted);
}

// Row k of the breeder table: per top breeder b its animals (2b - 1) and
// their parents (2b, imports included); then the animals of all others and
// the home-bred parents of the year less the top breeders' parents.
void count_breeders(const animal_table& animal, std::span<const std::int32_t> year_animals, std::int64_t k,
                    const code_columns& breeders, std::int64_t n_top_breeders,
                    const year_table<std::int32_t>& parent_counts, year_table<std::int32_t>& breeder_year_counts) {
  const std::int64_t n = n_top_breeders;
  for (std::int64_t c = 1; c <= 2 * n + 2; ++c) breeder_year_counts(k, c) = 0;
  std::int64_t animals_of_top = 0, parents_of_top = 0;
  for (std::int32_t nr : year_animals) {
    const animal_record& a = animal[nr];
    auto it = breeders.find(a.breeder.view());
    if (it == breeders.end()) continue;
    for (std::int64_t b : it->second) {
      ++breeder_year_counts(k, 2 * b - 1);
      ++animals_of_top;
      if (a.has_counted_offspring) {
        ++breeder_year_counts(k, 2 * b);
        ++parents_of_top;
      }
    }
  }
  breeder_year_counts(k, 2 * n + 1) =
      static_cast<std::int32_t>(static_cast<std::int64_t>(year_animals.size()) - animals_of_top);
  breeder_year_counts(k, 2 * n + 2) = static_cast<std::int32_t>(
      static_cast<std::int64_t>(parent_counts(k, 2)) + parent_counts(k, 5) - parents_of_top);
}

// Row k of the completeness tables over the year's animals.
void count_completeness(const animal_table& animal, std::span<const std::int32_t> year_animals, std::int64_t k,
                        year_table<float>& mean_equiv_generations_by_year, year_table<float>& completeness_by_year) {
  double equiv_sum = 0;
  std::int64_t by_generations[5] = {0, 0, 0, 0, 0};
  for (std::int32_t nr : year_animals) {
    const animal_record& a = animal[nr];
    equiv_sum += a.equiv_generations;
    if (a.complete_generations >= 1) ++by_generations[std::min(a.complete_generations, 5) - 1];
  }
  const double n = static_cast<double>(year_animals.size());
  mean_equiv_generations_by_year(k, 1) = year_animals.empty() ? 0.0f : static_cast<float>(equiv_sum / n);
  for (int g = 1; g <= 5; ++g)
    completeness_by_year(k, g) =
        year_animals.empty() ? 0.0f : static_cast<float>(static_cast<double>(by_generations[g - 1]) / n);
}

void write_year_line(run_context& ctx, const counting_scope& scope, std::int32_t year) {
  const bool english = ctx.cfg.english;
  if (scope.subpop_code == nullptr) {
    if (english)
      write_free_line(ctx.console, {"year ", year, "determined ages parents, litter sizes, etc."});
    else
      write_free_line(ctx.console, {"jaar ", year, "leeftijden ouders, worpgroottes etc. bepaald"});
  } else if (english) {
    write_free_line(ctx.console, {"type ", *scope.subpop_code, "year ", year,
                                  "determined ages of parents, number of animals per colour type, etc."});
  } else {
    write_free_line(ctx.console, {"type ", *scope.subpop_code, "jaar ", year,
                                  "leeftijden ouders, aantallen per kleur, topfokker etc. bepaald"});
  }
}

}  // namespace

void allocate_year_count_tables(run_context& ctx, year_count_tables& tables, std::int64_t n_years,
                                std::int32_t max_sire_age, std::int32_t max_dam_age) {
  // Without a colour column the table has one column that is never filled.
  const std::int64_t n_colour_columns = ctx.cfg.has_colour_column ? ctx.cfg.n_colour_classes : 1;
  tables.overall_parent_ages = {0.0f, 0.0f};
  allocate_tables(ctx,
                  "the per-year tables of parents and litters (birth years " + std::to_string(n_years) +
                      ", oldest parents " + std::to_string(max_sire_age) + " and " + std::to_string(max_dam_age) +
                      " years)",
                  [&] {
                    return allocate_year_table(tables.sire_age_count, n_years, max_sire_age) &&
                           allocate_year_table(tables.dam_age_count, n_years, max_dam_age) &&
                           allocate_year_table(tables.parent_counts_by_year, n_years, 6) &&
                           allocate_year_table(tables.import_parent_counts_by_year, n_years, 4) &&
                           allocate_year_table(tables.offspring_stats_by_year, n_years, 6) &&
                           allocate_year_table(tables.litter_stats, n_years, 102) &&
                           allocate_year_table(tables.mean_sire_age_by_year, n_years, 1) &&
                           allocate_year_table(tables.mean_dam_age_by_year, n_years, 1) &&
                           allocate_year_table(tables.colour_counts_by_year, n_years, n_colour_columns);
                  });
}

void count_by_birth_year(run_context& ctx, const animal_table& animal, std::int64_t n_years, std::int32_t first_year,
                         const std::vector<breeder_name>& breeder_list, std::int32_t n_top_breeders,
                         year_count_tables& tables, year_table<std::int32_t>& breeder_year_counts,
                         const counting_scope& scope) {
  const settings& cfg = ctx.cfg;
  if (n_years < 1) return;
  const year_buckets buckets = bucket_by_year(animal, scope.members, n_years, first_year);
  const code_columns colours =
      cfg.has_colour_column ? index_codes(cfg.colour_codes, tables.colour_counts_by_year.n_cols - 1) : code_columns{};
  const std::int64_t n_top = std::max<std::int64_t>(0, n_top_breeders);
  const code_columns breeders = cfg.has_breeder_column ? index_codes(breeder_list, n_top) : code_columns{};
  litter_work work;
  assert(!cfg.has_breeder_column || breeder_year_counts.n_cols == 2 * n_top + 2);

  for (std::int64_t k = 1; k <= n_years; ++k) {
    const std::int32_t year = static_cast<std::int32_t>(first_year + k - 1);
    const std::span<const std::int32_t> year_animals = buckets.of(k);
    if (!year_animals.empty()) {
      count_parents_by_sex(animal, year_animals, std::span<std::int32_t, 6>(&tables.parent_counts_by_year(k, 1), 6),
                           std::span<float, 6>(&tables.offspring_stats_by_year(k, 1), 6));
      if (cfg.has_import_column)
        count_offspring_by_import_parents(animal, year_animals,
                                          std::span<std::int32_t, 4>(&tables.import_parent_counts_by_year(k, 1), 4));
      count_dams_and_sires(animal, year_animals, std::span<std::int32_t, 102>(&tables.litter_stats(k, 1), 102), work);
    }
    if (scope.mean_equiv_generations_by_year != nullptr && scope.completeness_by_year != nullptr)
      count_completeness(animal, year_animals, k, *scope.mean_equiv_generations_by_year, *scope.completeness_by_year);
    count_parent_age_classes(animal, year_animals, k, tables);
    if (cfg.has_colour_column) count_colours(animal, year_animals, k, colours, tables.colour_counts_by_year);
    if (cfg.has_breeder_column)
      count_breeders(animal, year_animals, k, breeders, n_top, tables.parent_counts_by_year, breeder_year_counts);
    write_year_line(ctx, scope, year);
  }
}

void count_population_by_birth_year(run_context& ctx, const animal_table& animal, std::int64_t n_years,
                                    std::int32_t first_year, const std::vector<breeder_name>& breeder_list,
                                    std::int32_t n_top_breeders, year_count_tables& tables,
                                    year_table<std::int32_t>& breeder_year_counts) {
  write_free_line(ctx.console, {ctx.cfg.english ? "monitor data per jaar" : "monitor gegevens per jaar"});
  count_by_birth_year(ctx, animal, n_years, first_year, breeder_list, n_top_breeders, tables, breeder_year_counts,
                      counting_scope{});
}

}  // namespace veldmarsh
