// Breeder list and top breeders.
//
// The list is kept with a hash index of its names, so that building it and
// counting the breeders' animals take one pass over the table each; the
// order of the list and of the picks is that of a search in list order.
#include "reports/breeder_list.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "common/free_format.h"
#include "common/stops.h"

namespace veldmarsh {

namespace {

// Open addressing over a power-of-two table; a slot holds the one-based
// position of a list entry, 0 when empty.
struct breeder_index {
  std::vector<std::int32_t> slots;
  std::uint64_t mask = 0;
};

std::uint64_t hash_breeder(const breeder_name& name) {
  std::uint64_t a, b;
  std::uint32_t c;
  std::memcpy(&a, name.c, 8);
  std::memcpy(&b, name.c + 8, 8);
  std::memcpy(&c, name.c + 16, 4);
  std::uint64_t h = a * 0x9E3779B97F4A7C15ULL;
  h = (h ^ (h >> 29) ^ b) * 0xBF58476D1CE4E5B9ULL;
  h = (h ^ (h >> 32) ^ c) * 0x94D049BB133111EBULL;
  return h ^ (h >> 31);
}

// The slot where `name` is held, or the empty slot where it belongs.
std::uint64_t find_slot(const breeder_index& index, const std::vector<breeder_name>& list, const breeder_name& name) {
  for (std::uint64_t s = hash_breeder(name) & index.mask;; s = (s + 1) & index.mask) {
    std::int32_t at = index.slots[s];
    if (at == 0 || list[at - 1] == name) return s;
  }
}

// Makes the index hold every entry of `list`, with room to grow to twice
// its size before the next rebuild.
void rebuild_index(breeder_index& index, const std::vector<breeder_name>& list) {
  std::uint64_t size = 16;
  while (size < 4 * (list.size() + 1)) size *= 2;
  index.slots.assign(size, 0);
  index.mask = size - 1;
  for (std::size_t j = 0; j < list.size(); ++j)
    index.slots[find_slot(index, list, list[j])] = static_cast<std::int32_t>(j + 1);
}

std::int64_t breeder_progress_interval(std::int64_t n_animals) {
  if (n_animals <= 4000) return 100;
  if (n_animals <= 10000) return 500;
  if (n_animals <= 25000) return 1000;
  return 5000;
}

}  // namespace

void build_breeder_list(run_context& ctx, const animal_table& animal, std::vector<breeder_name>& breeder_list) {
  const bool en = ctx.cfg.english;
  breeder_list.clear();
  breeder_index index;
  rebuild_index(index, breeder_list);
  const std::int64_t n = animal.size();
  const std::int64_t interval = breeder_progress_interval(n);
  std::int64_t counter = 0;
  for (std::int64_t i = 1; i <= n; ++i) {
    if (++counter == interval) {
      write_free_line(ctx.console, {en ? "breeder of " : "fokker van ", static_cast<long long>(i),
                                    en ? " read, N breeder = " : " gelezen, nfokker = ",
                                    static_cast<long long>(breeder_list.size())});
      counter = 0;
    }
    const breeder_name& name = animal[i].breeder;
    if (is_blank(name)) continue;
    std::uint64_t s = find_slot(index, breeder_list, name);
    if (index.slots[s] != 0) continue;
    breeder_list.push_back(name);
    if (4 * breeder_list.size() > index.slots.size() * 2)  // keep the load at most one half
      rebuild_index(index, breeder_list);
    else
      index.slots[s] = static_cast<std::int32_t>(breeder_list.size());
  }
  const long long n_breeders = static_cast<long long>(breeder_list.size());
  for (output_channel* channel : {&ctx.console, &ctx.log}) {
    write_free_line(*channel, {en ? "breeders list made" : "fokkerlijst samengesteld"});
    write_free_line(*channel, {n_breeders, en ? " different breeders found" : " verschillende fokkers gevonden"});
  }
}

void select_top_breeders(run_context& ctx, std::vector<breeder_name>& breeder_list, const animal_table& animal,
                         std::int32_t& n_top_breeders, std::int32_t last_year) {
  const std::int64_t n_breeders = static_cast<std::int64_t>(breeder_list.size());
  breeder_index index;
  rebuild_index(index, breeder_list);
  std::vector<std::int64_t> count(breeder_list.size(), 0);
  const std::int64_t after = static_cast<std::int64_t>(last_year) - 10;  // counted: born after this year
  const std::int64_t n = animal.size();
  for (std::int64_t i = 1; i <= n; ++i) {
    const animal_record& r = animal[i];
    if (r.birth_year <= after || is_blank(r.breeder)) continue;
    std::int32_t at = index.slots[find_slot(index, breeder_list, r.breeder)];
    if (at != 0) ++count[at - 1];
  }

  if (n_breeders < 10) {
    n_top_breeders = static_cast<std::int32_t>(n_breeders);
  } else {
    std::int64_t m = std::count_if(count.begin(), count.end(), [](std::int64_t c) { return c > 250; });
    n_top_breeders = static_cast<std::int32_t>(m <= 10 ? 10 : m > 30 ? 30 : m);
  }
  write_free_line(ctx.console, {ctx.cfg.english ? "Number of top breeders " : "aantal topfokkers ", n_top_breeders});

  // Picking the largest count again and again, the first in list order among
  // equal counts, is a stable sort by decreasing count.
  std::vector<std::int32_t> order(breeder_list.size());
  for (std::size_t j = 0; j < order.size(); ++j) order[j] = static_cast<std::int32_t>(j);
  std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) { return count[a] > count[b]; });
  for (std::int32_t p = 1; p <= n_top_breeders; ++p) write_free_line(ctx.console, {p, order[p - 1] + 1});
  // The others keep their order.
  std::sort(order.begin() + n_top_breeders, order.end());

  std::vector<breeder_name> reordered(breeder_list.size());
  for (std::size_t j = 0; j < order.size(); ++j) reordered[j] = breeder_list[order[j]];
  breeder_list.swap(reordered);
}

void make_empty_breeder_list(std::vector<breeder_name>& breeder_list, std::int32_t& n_top_breeders) {
  n_top_breeders = 0;
  breeder_list.assign(1, make_text<20>("geen fokkers"));
}

void allocate_breeder_year_counts(run_context& ctx, year_table<std::int32_t>& breeder_year_counts,
                                  std::int64_t n_years, std::int32_t n_top_breeders) {
  bool ok = false;
  try {
    ok = allocate_year_table(breeder_year_counts, n_years, 2 * static_cast<std::int64_t>(n_top_breeders) + 2);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok)
    fail_diagnostic(ctx, "cannot allocate the per-year breeder table (birth years " + std::to_string(n_years) + ")",
                    "data file", trim_right(ctx.cfg.data_file_name.view()));
}

void make_breeder_tables(run_context& ctx, const animal_table& animal, std::int64_t n_years, std::int32_t last_year,
                         std::vector<breeder_name>& breeder_list, std::int32_t& n_top_breeders,
                         year_table<std::int32_t>& breeder_year_counts) {
  if (ctx.cfg.has_breeder_column) {
    build_breeder_list(ctx, animal, breeder_list);
    select_top_breeders(ctx, breeder_list, animal, n_top_breeders, last_year);
  } else {
    make_empty_breeder_list(breeder_list, n_top_breeders);
  }
  allocate_breeder_year_counts(ctx, breeder_year_counts, n_years, n_top_breeders);
}

}  // namespace veldmarsh
