// The most used sires of every birth year; the top male and female.
//
// Each year's sires are counted through a work array indexed by sire number, stamped
// with the year so that nothing is cleared between years. Ranking the
// year's sires by young (then by number, higher first) gives the same order
// as picking the largest count again and again from the list of sires
// enumerated from the highest number down.
#include "reports/top_sires.h"

#include <algorithm>
#include <string>

#include "common/free_format.h"

namespace veldmarsh {

void calc_top_sire_shares(run_context& ctx, const animal_table& animal, const birth_year_groups& groups,
                          top_sire_tables& tables) {
  const year_range& years = groups.years;
  if (years.n_years < 1) return;
  // Young per sire for the current year; `stamp` tells which entries are
  // of this year.
  const std::size_t n_numbers = static_cast<std::size_t>(animal.size()) + 1;
  std::vector<std::int32_t> young(n_numbers, 0);
  std::vector<std::int32_t> stamp(n_numbers, 0);
  std::vector<std::int32_t> sire_list;

  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    const std::int32_t year = static_cast<std::int32_t>(years.year_of(k));
    if (ctx.cfg.english)
      write_free_line(ctx.console, {"compute contribution topsires for year", year});
    else
      write_free_line(ctx.console, {"bereken aandeel dominante mannetjes voor jaar ", year});

    // The year's young with a known sire, imports included.
    std::int64_t nk = 0;
    sire_list.clear();
    for (std::int32_t nr : groups.of(k)) {
      if (animal[nr].sire_nr <= 0) continue;
      const std::size_t s = static_cast<std::size_t>(animal[nr].sire_nr);
      ++nk;
      if (stamp[s] != static_cast<std::int32_t>(k)) {
        stamp[s] = static_cast<std::int32_t>(k);
        young[s] = 0;
        sire_list.push_back(static_cast<std::int32_t>(s));
      }
      ++young[s];
    }
    tables.n_sires_by_year(k, 1) += static_cast<std::int32_t>(sire_list.size());

    // Most young first; on equal counts the higher sire number first.
    const std::size_t n_ranked = std::min<std::size_t>(10, sire_list.size());
    std::partial_sort(sire_list.begin(), sire_list.begin() + static_cast<std::ptrdiff_t>(n_ranked), sire_list.end(),
                      [&](std::int32_t a, std::int32_t b) {
                        const std::int64_t ya = young[static_cast<std::size_t>(a)];
                        const std::int64_t yb = young[static_cast<std::size_t>(b)];
                        return ya != yb ? ya > yb : a > b;
                      });
    tables.top_sire_by_year(k, 1) = sire_list.empty() ? 0 : sire_list[0];
    for (std::int64_t c = 1; c <= 10; ++c) tables.top_sire_share(k, c) = 0.0f;
    for (std::size_t c = 0; c < n_ranked; ++c)
      tables.top_sire_share(k, static_cast<std::int64_t>(c) + 1) = static_cast<float>(
          static_cast<double>(young[static_cast<std::size_t>(sire_list[c])]) / static_cast<double>(nk));
  }
}

void convert_shares_to_percentages(top_sire_tables& tables) {
  if (tables.shares_in_percent) return;
  tables.shares_in_percent = true;
  for (float& share : tables.top_sire_share.cells) share = share * 100.0f;
}

std::vector<animal_label> gather_top_sire_records(const animal_table& animal, const top_sire_tables& tables) {
  const year_table<std::int32_t>& top_sire_by_year = tables.top_sire_by_year;
  std::vector<animal_label> records;
  records.reserve(static_cast<std::size_t>(top_sire_by_year.n_rows));
  for (std::int64_t k = 1; k <= top_sire_by_year.n_rows; ++k) {
    // A year without a known sire shows the first record; the report tells
    // it by its sire count of 0.
    const std::int32_t nr = top_sire_by_year(k, 1);
    records.push_back(top_parent_record(animal, nr == 0 ? 1 : nr));
  }
  return records;
}

void add_top_parent_candidate(top_parent_search& search, std::int64_t i, const animal_record& a) {
  if (a.sex != 1 && a.sex != 2) return;
  const std::size_t s = a.sex == 1 ? 0 : 1;
  if (search.best[s] == 0 || a.n_offspring_counted > search.most[s]) {
    search.best[s] = static_cast<std::int32_t>(i);
    search.most[s] = a.n_offspring_counted;
  }
}

namespace {

top_parent_search search_top_parents(const animal_table& animal, const std::vector<std::int32_t>* members) {
  top_parent_search search;
  for_each_member(animal, members, [&](std::int64_t i) { add_top_parent_candidate(search, i, animal[i]); });
  return search;
}

}  // namespace

std::int32_t choose_top_parent(const animal_table& animal, std::int32_t sex, const std::vector<std::int32_t>* members) {
  if (sex != 1 && sex != 2) return 0;
  return search_top_parents(animal, members).best[sex == 1 ? 0 : 1];
}

void set_top_parents(const top_parent_search& search, year_count_tables& counts) {
  counts.top_male_nr = search.best[0];
  counts.top_female_nr = search.best[1];
}

void choose_top_parents(const animal_table& animal, const std::vector<std::int32_t>* members,
                        year_count_tables& counts) {
  set_top_parents(search_top_parents(animal, members), counts);
}

animal_label top_parent_record(const animal_table& animal, std::int32_t row) {
  animal_label label;  // a blank record: blank texts, birth year 0, 0 offspring
  set_text(label.name, "");
  set_text(label.herdbook_nr, "");
  if (row >= 1 && row <= animal.size()) {
    const animal_record& a = animal[row];
    label.name = text_of(animal, a.name);
    label.herdbook_nr = text_of(animal, a.herdbook_nr);
    label.birth_year = a.birth_year;
    label.n_offspring_counted = a.n_offspring_counted;
  }
  return label;
}

}  // namespace veldmarsh
