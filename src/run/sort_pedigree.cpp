// The pedigree sort. It works backwards from the youngest generation: in each
// sweep every animal without unplaced offspring is placed at the end of the
// still free part of the table, so positions are handed out from the last
// row down and a parent always gets a lower position than its offspring.
//
// A sweep visits its animals from the last row upwards. Instead of scanning
// every row in every sweep (a long chain of parents listed after their young
// needs one sweep per generation), the animals a sweep will place are kept
// in descending row order: those free at its start, plus each parent freed
// during the sweep by an offspring in a higher row, which the upward scan
// would meet later in the same sweep. A parent freed by an offspring in a
// lower row waits for the next sweep. The order is that of the full scans.
#include "run/sort_pedigree.h"

#include <algorithm>
#include <cassert>
#include <functional>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "run/pedigree_loop.h"

namespace veldmarsh {

namespace {

// A link to a parent row, 0 when the parent is unknown or the link lies
// outside the table (which linking never produces).
std::int32_t parent_row(std::int32_t link, std::int64_t n) { return link > 0 && link <= n ? link : 0; }

// The console lines and the report-file line of an offspring born in an
// earlier year than its sire (is_sire) or dam.
void report_birth_before_parent(run_context& ctx, const animal_table& animal, std::int32_t young_nr,
                                std::int32_t parent_nr, bool is_sire) {
  const animal_record& young = animal[young_nr];
  const animal_record& parent = animal[parent_nr];
  const fixed_text<50> young_id = text_of(animal, young.herdbook_nr);
  const fixed_text<50> parent_id = text_of(animal, parent.herdbook_nr);
  const bool en = ctx.cfg.english;
  output_channel& con = ctx.console;
  write_free_line(con, {en ? "animal " : "dier ", text_of(animal, young.name)});
  write_free_line(con, {en ? "herdbook number " : "stamboeknummer ", young_id});
  write_free_line(con, {en ? "date of birth " : "geboortedatum ", young.birth_day, "/", young.birth_month, "/",
                        young.birth_year});
  if (is_sire) {
    write_free_line(con, {en ? "!!!!!!!!!! BORN BEFORE FATHER  !!!!!!!!!!" : "!!!!!!!!!! GEBOREN VOOR VADER  !!!!!!!!!!"});
    write_free_line(con, {en ? "father " : "vader ", text_of(animal, parent.name)});
  } else {
    write_free_line(con, {en ? "!!!!!!!!!! BORN BEFORE MOTHER  !!!!!!!!!!" : "!!!!!!!!!! GEBOREN VOOR MOEDER  !!!!!!!!!!"});
    write_free_line(con, {en ? "mother " : "moeder ", text_of(animal, parent.name)});
  }
  write_free_line(con, {en ? "herdbook number " : "stamboeknummer ", parent_id});
  write_free_line(con, {en ? "date of birth " : "geboortedatum ", parent.birth_day, "/", parent.birth_month, "/",
                        parent.birth_year});
  write_free_line(con, {"   "});
  // A mother's identification stands one block further right than a father's.
  write_fixed_line(ctx.report,
                   is_sire ? "(A50,A1,I4,A1,I2,A1,I2,A1,A50,A1,I4,A1,I2,A1,I2)"
                           : "(A50,A1,I4,A1,I2,A1,I2,A62,A50,A1,I4,A1,I2,A1,I2)",
                   {young_id, " ", young.birth_year, "/", young.birth_month, "/", young.birth_day, " ",
                    parent_id, " ", parent.birth_year, "/", parent.birth_month, "/", parent.birth_day});
}

void write_sweep_head(run_context& ctx, const animal_table& animal, std::int64_t sweep_nr, std::int64_t without,
                      std::int64_t with, std::vector<std::int32_t>& negative_rows, std::int64_t n_placed,
                      std::int64_t next_position) {
  if (ctx.cfg.english) {
    write_free_line(ctx.console, {"sweep", sweep_nr, "number of animals without unsorted offspring", without});
    write_free_line(ctx.console, {"sweep", sweep_nr, "number of animals with unsorted offspring", with});
  } else {
    write_free_line(ctx.console, {"ronde", sweep_nr, "aantal dieren zonder ongesorteerde nakomelingen", without});
    write_free_line(ctx.console, {"ronde", sweep_nr, "aantal dieren met ongesorteerde nakomelingen", with});
  }
  if (with > 0) {
    // Animals whose count of unplaced offspring fell below 0: never, when
    // the counts come from the linking; an empty list is one blank.
    std::sort(negative_rows.begin(), negative_rows.end());
    std::vector<free_item> items;
    for (std::int32_t row : negative_rows) items.emplace_back(static_cast<int>(animal[row].nr));
    if (items.empty()) items.emplace_back("");
    write_free_line(ctx.console, std::span<const free_item>(items));
  }
  write_free_line(ctx.console, {"no. sorted", n_placed, "last =", next_position});
}

}  // namespace

bool find_sort_order(run_context& ctx, const animal_table& animal, std::vector<std::int32_t>& sort_order,
                     std::vector<char>& placed) {
  const std::int64_t n = animal.size();
  // Compact copies of what the sweeps read, so that they do not walk the
  // whole records: what a look-up of a parent reads lies in one place.
  struct sort_entry {
    std::int32_t sire, dam, year;
    std::int32_t unplaced_offspring;  // offspring not yet placed
  };
  std::vector<sort_entry> entry(static_cast<std::size_t>(n) + 1, sort_entry{0, 0, 0, 0});
  sort_order.assign(static_cast<std::size_t>(n) + 1, 0);
  placed.assign(static_cast<std::size_t>(n) + 1, 0);

  std::vector<std::int32_t> free_now;        // placeable at the start of this sweep, ascending rows
  std::vector<std::int32_t> freed_later;     // freed during this sweep from a lower row: next sweep
  std::vector<std::int32_t> freed_now;       // freed during this sweep from a higher row: a max-heap
  std::vector<std::int32_t> negative_rows;   // unplaced, with a count below 0
  std::int64_t n_free = 0;                   // unplaced animals whose count is 0
  for (std::int64_t i = 1; i <= n; ++i) {
    const animal_record& a = animal[i];
    entry[static_cast<std::size_t>(i)] = {parent_row(a.sire_nr, n), parent_row(a.dam_nr, n), a.birth_year,
                                          a.n_offspring};
    if (a.n_offspring == 0) free_now.push_back(static_cast<std::int32_t>(i));
    if (a.n_offspring < 0) negative_rows.push_back(static_cast<std::int32_t>(i));
  }
  n_free = static_cast<std::int64_t>(free_now.size());

  std::int64_t next_position = n, n_placed = 0;
  for (std::int64_t sweep_nr = 1;; ++sweep_nr) {
    assert(n_free == static_cast<std::int64_t>(free_now.size()));
    const std::int64_t n_negative = static_cast<std::int64_t>(negative_rows.size());
    write_sweep_head(ctx, animal, sweep_nr, n_free, n - n_placed - n_free - n_negative, negative_rows, n_placed,
                     next_position);

    // One offspring link of a placed animal to parent p, made from row i.
    auto release_parent = [&](std::int32_t p, std::int32_t i) {
      std::int32_t left = --entry[static_cast<std::size_t>(p)].unplaced_offspring;
      if (placed[p]) return;
      if (left == 0) {
        ++n_free;
        if (p < i) {
          freed_now.push_back(p);
          std::push_heap(freed_now.begin(), freed_now.end());
        } else {
          freed_later.push_back(p);
        }
      } else if (left == -1) {
        --n_free;
        negative_rows.push_back(p);
      }
    };

    // Placement: rows in descending order, merged from the animals free at
    // the start (read from the back) and those freed during the sweep.
    std::size_t from_start = free_now.size();
    freed_now.clear();
    for (;;) {
      std::int32_t i;
      if (!freed_now.empty() && (from_start == 0 || freed_now.front() > free_now[from_start - 1])) {
        std::pop_heap(freed_now.begin(), freed_now.end());
        i = freed_now.back();
        freed_now.pop_back();
      } else if (from_start > 0) {
        i = free_now[--from_start];
      } else {
        break;
      }
      // Its count may have fallen below 0 meanwhile.
      if (placed[i] || entry[static_cast<std::size_t>(i)].unplaced_offspring != 0) continue;
      placed[i] = 1;
      const sort_entry& e = entry[static_cast<std::size_t>(i)];
      sort_order[static_cast<std::size_t>(next_position)] = i;
      --next_position;
      ++n_placed;
      --n_free;
      if (e.sire != 0) {
        if (e.year != 0 && e.year < entry[static_cast<std::size_t>(e.sire)].year)
          report_birth_before_parent(ctx, animal, i, e.sire, true);
        release_parent(e.sire, i);
      }
      if (e.dam != 0) {
        if (e.year != 0 && e.year < entry[static_cast<std::size_t>(e.dam)].year)
          report_birth_before_parent(ctx, animal, i, e.dam, false);
        release_parent(e.dam, i);
      }
    }

    if (ctx.cfg.english)
      write_free_line(ctx.console, {"animals with a maximum of ", sweep_nr - 1,
                                    " generations of offspring placed at end of pedigree"});
    else
      write_free_line(ctx.console, {"dieren met maximaal ", sweep_nr - 1,
                                    " generaties nakomelingen achteraan pedigree geplaatst"});
    hand_on_lines(ctx.console);

    if (n_placed == n) {
      write_free_line(ctx.console, {"pedigree sorted"});
      return true;
    }
    // No animal left that a further sweep could place: the rest waits for
    // offspring that can never be placed, that is, for a loop.
    if (n_free == 0) return false;
    free_now.clear();
    for (std::int32_t p : freed_later)
      if (!placed[p] && entry[static_cast<std::size_t>(p)].unplaced_offspring == 0) free_now.push_back(p);
    freed_later.clear();
    std::sort(free_now.begin(), free_now.end());
  }
}

void reorder_and_renumber(animal_table& animal, const std::vector<std::int32_t>& sort_order) {
  const std::int64_t n = animal.size();
  assert(static_cast<std::int64_t>(sort_order.size()) == n + 1);
  bool in_place = true;
  for (std::int64_t k = 1; k <= n && in_place; ++k) in_place = sort_order[static_cast<std::size_t>(k)] == k;
  if (!in_place) {
    std::vector<std::int32_t> new_nr(static_cast<std::size_t>(n) + 1, 0);
    for (std::int64_t k = 1; k <= n; ++k) {
      std::int32_t row = sort_order[static_cast<std::size_t>(k)];
      assert(row >= 1 && row <= n && new_nr[static_cast<std::size_t>(row)] == 0);
      new_nr[static_cast<std::size_t>(row)] = static_cast<std::int32_t>(k);
    }
    // Every record moves once, along the cycles of the permutation, with one
    // record held aside per cycle (the same result as copying the table to
    // its new order and back, without a second table).
    std::vector<char> moved(static_cast<std::size_t>(n) + 1, 0);
    for (std::int64_t k = 1; k <= n; ++k) {
      if (moved[static_cast<std::size_t>(k)]) continue;
      animal_record held = animal[k];
      std::int64_t j = k;
      for (;;) {
        moved[static_cast<std::size_t>(j)] = 1;
        std::int64_t from = sort_order[static_cast<std::size_t>(j)];
        if (from == k) {
          animal[j] = held;
          break;
        }
        animal[j] = animal[from];
        j = from;
      }
    }
    for (std::int64_t i = 1; i <= n; ++i) {
      animal_record& a = animal[i];
      a.sire_nr = parent_row(a.sire_nr, n) != 0 ? new_nr[static_cast<std::size_t>(a.sire_nr)] : 0;
      a.dam_nr = parent_row(a.dam_nr, n) != 0 ? new_nr[static_cast<std::size_t>(a.dam_nr)] : 0;
    }
  }
  for (std::int64_t i = 1; i <= n; ++i) {
    animal_record& a = animal[i];
    a.nr = static_cast<std::int32_t>(i);
    assert(a.sire_nr < i && a.dam_nr < i);
  }
}

void sort_pedigree(run_context& ctx, animal_table& animal) {
  std::vector<std::int32_t> sort_order;
  std::vector<char> placed;
  if (!find_sort_order(ctx, animal, sort_order, placed)) {
    std::vector<char> unsorted(placed.size(), 0);
    for (std::size_t i = 1; i < placed.size(); ++i) unsorted[i] = !placed[i];
    report_pedigree_loop(ctx, animal, unsorted);
  }
  reorder_and_renumber(animal, sort_order);
  if (ctx.cfg.english)
    write_free_line(ctx.console, {"pedigree sorted and renumbered"});
  else
    write_free_line(ctx.console, {"stamboom gesorteerd en hernummerd"});
}

void move_after_parents(animal_table& animal, std::int64_t k) {
  const std::int64_t n = animal.size();
  if (k < 1 || k > n) return;
  const std::int64_t p = std::max(animal[k].sire_nr, animal[k].dam_nr);
  // Only an animal whose later parent stands after it can move behind it.
  if (p <= k || p > n) return;
  std::rotate(animal.rows.begin() + k, animal.rows.begin() + k + 1, animal.rows.begin() + p + 1);
  auto shift = [&](std::int32_t v) -> std::int32_t {
    if (v == k) return static_cast<std::int32_t>(p);  // the moved animal is not shifted again
    if (v > k && v <= p) return v - 1;
    return v;
  };
  for (std::int64_t i = 1; i <= n; ++i) {
    animal_record& a = animal[i];
    a.nr = static_cast<std::int32_t>(i);
    a.sire_nr = shift(a.sire_nr);
    a.dam_nr = shift(a.dam_nr);
  }
}

}  // namespace veldmarsh
