// Breeder list and top breeders.
//
// Each breeder's name is stored once among the table's texts, so building
// the list and counting the breeders' animals take one pass over the table
// each, with a look-up by the name's number; the order of the list and of
// the picks is that of a search in list order.
#include "reports/breeder_list.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/free_format.h"
#include "common/progress_interval.h"

namespace veldmarsh {

void build_breeder_list(run_context& ctx, const animal_table& animal, std::vector<breeder_name>& breeder_list) {
  const bool en = ctx.cfg.english;
  const std::int64_t n = animal.size();
  const std::int64_t interval = progress_interval(n, reading_progress);
  std::vector<char> listed(text_count(animal.texts.breeders), 0);  // by the name's number
  breeder_list.clear();
  std::int64_t counter = 0;
  for (std::int64_t i = 1; i <= n; ++i) {
    if (++counter == interval) {
      write_free_line(ctx.console, {en ? "breeder of " : "fokker van ", static_cast<long long>(i),
                                    en ? " read, N breeder = " : " gelezen, nfokker = ",
                                    static_cast<long long>(breeder_list.size())});
      show_progress(ctx.console);
      counter = 0;
    }
    const text_ref<text_field::breeder> name = animal[i].breeder;
    if (name.number == 0 || listed[name.number]) continue;  // number 0: a blank name
    listed[name.number] = 1;
    breeder_list.push_back(text_of(animal, name));
  }
  const long long n_breeders = static_cast<long long>(breeder_list.size());
  for (output_channel* channel : {&ctx.console, &ctx.log}) {
    write_free_line(*channel, {en ? "breeders list made" : "fokkerlijst samengesteld"});
    write_free_line(*channel, {n_breeders, en ? " different breeders found" : " verschillende fokkers gevonden"});
  }
}

std::vector<std::int32_t> breeder_positions(const animal_table& animal, const std::vector<breeder_name>& breeder_list,
                                            std::int64_t n) {
  std::vector<std::int32_t> position(text_count(animal.texts.breeders), 0);
  n = std::min<std::int64_t>(n, static_cast<std::int64_t>(breeder_list.size()));
  // Backwards, so that a name listed twice keeps its first position.
  for (std::int64_t k = n; k >= 1; --k) {
    const std::int64_t number = find_text<text_field::breeder>(animal.texts, breeder_list[static_cast<std::size_t>(k - 1)].view());
    if (number >= 0) position[static_cast<std::size_t>(number)] = static_cast<std::int32_t>(k);
  }
  return position;
}

void select_top_breeders(run_context& ctx, const animal_table& animal, std::int32_t last_year,
                         breeder_tables& breeders) {
  std::vector<breeder_name>& breeder_list = breeders.breeder_list;
  std::int32_t& n_top_breeders = breeders.n_top_breeders;
  const std::int64_t n_breeders = static_cast<std::int64_t>(breeder_list.size());
  const std::vector<std::int32_t> position = breeder_positions(animal, breeder_list, n_breeders);
  std::vector<std::int64_t> count(breeder_list.size(), 0);
  const std::int64_t after = static_cast<std::int64_t>(last_year) - 10;  // counted: born after this year
  const std::int64_t n = animal.size();
  for (std::int64_t i = 1; i <= n; ++i) {
    const animal_record& r = animal[i];
    if (r.birth_year <= after || r.breeder.number == 0) continue;
    const std::int32_t at = position[r.breeder.number];
    if (at != 0) ++count[static_cast<std::size_t>(at - 1)];
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

void make_empty_breeder_list(breeder_tables& breeders) {
  breeders.n_top_breeders = 0;
  breeders.breeder_list.assign(1, make_text<20>("geen fokkers"));
}

breeder_tables make_breeder_tables(run_context& ctx, const animal_table& animal, const year_range& years) {
  breeder_tables breeders;
  if (ctx.cfg.has_breeder_column) {
    build_breeder_list(ctx, animal, breeders.breeder_list);
    select_top_breeders(ctx, animal, years.last_year, breeders);
  } else {
    make_empty_breeder_list(breeders);
  }
  return breeders;
}

}  // namespace veldmarsh
