// Breeder list and top breeders.
//
// The list is kept with a hash index of its names (common/text_index.h), so
// that building it and counting the breeders' animals take one pass over the
// table each; the order of the list and of the picks is that of a search in
// list order.
#include "reports/breeder_list.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/free_format.h"
#include "common/progress_interval.h"
#include "common/text_index.h"

namespace veldmarsh {

void build_breeder_list(run_context& ctx, const animal_table& animal, std::vector<breeder_name>& breeder_list) {
  const bool en = ctx.cfg.english;
  distinct_texts<20> breeders;
  const std::int64_t n = animal.size();
  const std::int64_t interval = progress_interval(n, reading_progress);
  std::int64_t counter = 0;
  for (std::int64_t i = 1; i <= n; ++i) {
    if (++counter == interval) {
      write_free_line(ctx.console, {en ? "breeder of " : "fokker van ", static_cast<long long>(i),
                                    en ? " read, N breeder = " : " gelezen, nfokker = ",
                                    static_cast<long long>(breeders.list.size())});
      counter = 0;
    }
    const breeder_name& name = animal[i].breeder;
    if (!is_blank(name)) add_distinct_text(breeders, name, hash_text(name));
  }
  breeder_list = std::move(breeders.list);
  const long long n_breeders = static_cast<long long>(breeder_list.size());
  for (output_channel* channel : {&ctx.console, &ctx.log}) {
    write_free_line(*channel, {en ? "breeders list made" : "fokkerlijst samengesteld"});
    write_free_line(*channel, {n_breeders, en ? " different breeders found" : " verschillende fokkers gevonden"});
  }
}

void select_top_breeders(run_context& ctx, const animal_table& animal, std::int32_t last_year,
                         breeder_tables& breeders) {
  std::vector<breeder_name>& breeder_list = breeders.breeder_list;
  std::int32_t& n_top_breeders = breeders.n_top_breeders;
  const std::int64_t n_breeders = static_cast<std::int64_t>(breeder_list.size());
  text_index<20> index;
  index_texts(index, breeder_list, n_breeders, n_breeders);
  std::vector<std::int64_t> count(breeder_list.size(), 0);
  const std::int64_t after = static_cast<std::int64_t>(last_year) - 10;  // counted: born after this year
  const std::int64_t n = animal.size();
  for (std::int64_t i = 1; i <= n; ++i) {
    const animal_record& r = animal[i];
    if (r.birth_year <= after || is_blank(r.breeder)) continue;
    const std::int32_t at = find_in_list(index, breeder_list, r.breeder);
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
