// The pedigree loop report. The sort leaves unplaced the animals of every
// loop together with all of their ancestors (a parent is placed only after
// all of its young). The ancestors whose own ancestry ends in animals without
// parents are peeled off; what remains are the loops themselves and animals
// that descend from one loop and are ancestors of another.
#include "run/pedigree_loop.h"

#include <cassert>
#include <span>

#include "common/free_format.h"
#include "common/stops.h"

namespace veldmarsh {

namespace {

// One line to the console, then the same to the report file.
void write_console_and_report(run_context& ctx, std::initializer_list<free_item> items) {
  write_free_line(ctx.console, items);
  write_free_line(ctx.report, items);
}

// The line with an animal's number, identification and birth date; `lead`
// is the text before the number ("animal no.", "        no." ...).
void write_animal_line(run_context& ctx, std::string_view lead, const animal_table& animal, const animal_record& a) {
  const bool en = ctx.cfg.english;
  std::string_view hb_text = en ? "herdbook number " : "stamboeknummer ";
  if (a.birth_year == 0)
    write_console_and_report(ctx, {lead, a.nr, hb_text, text_of(animal, a.herdbook_nr),
                                   en ? "date of birth unknown" : "geboortedatum onbekend"});
  else
    write_console_and_report(ctx, {lead, a.nr, hb_text, text_of(animal, a.herdbook_nr),
                                   en ? "date of birth " : "geboren ", a.birth_day, "/", a.birth_month, "/",
                                   a.birth_year});
}

}  // namespace

std::vector<char> find_clear_of_loop(const animal_table& animal, const std::vector<std::int32_t>& unsnrs) {
  const std::int64_t n = animal.size();
  const std::size_t nu = unsnrs.size();
  // Entry of each listed number; an animal is listed by its `nr`, which is
  // its row while the table is unsorted.
  std::vector<std::int32_t> entry(static_cast<std::size_t>(n) + 1, -1);
  for (std::size_t k = 0; k < nu; ++k)
    if (unsnrs[k] >= 1 && unsnrs[k] <= n) entry[static_cast<std::size_t>(unsnrs[k])] = static_cast<std::int32_t>(k);
  auto entry_of = [&](std::int32_t v) { return v >= 1 && v <= n ? entry[static_cast<std::size_t>(v)] : -1; };

  // A side is clear when its parent is unknown or is a listed animal that is
  // clear itself. `pending` counts the sides of an entry not yet clear; the
  // young of each entry are kept in one flat table (offsets per entry).
  std::vector<std::int32_t> pending(nu, 0), first_young(nu + 1, 0), young;
  auto parents_of = [&](std::size_t k) {
    const animal_record& a = animal[unsnrs[k]];
    return std::pair<std::int32_t, std::int32_t>(a.sire_nr, a.dam_nr);
  };
  for (std::size_t k = 0; k < nu; ++k) {
    auto [s, d] = parents_of(k);
    for (std::int32_t p : {s, d}) {
      if (p == 0) continue;
      ++pending[k];
      std::int32_t j = entry_of(p);
      if (j >= 0) ++first_young[static_cast<std::size_t>(j) + 1];
    }
  }
  for (std::size_t j = 0; j < nu; ++j) first_young[j + 1] += first_young[j];
  young.resize(static_cast<std::size_t>(first_young[nu]));
  std::vector<std::int32_t> fill(first_young.begin(), first_young.end() - 1);
  for (std::size_t k = 0; k < nu; ++k) {
    auto [s, d] = parents_of(k);
    for (std::int32_t p : {s, d}) {
      std::int32_t j = p == 0 ? -1 : entry_of(p);
      if (j >= 0) young[static_cast<std::size_t>(fill[static_cast<std::size_t>(j)]++)] = static_cast<std::int32_t>(k);
    }
  }

  std::vector<char> clear(nu, 0);
  std::vector<std::int32_t> work;
  for (std::size_t k = 0; k < nu; ++k)
    if (pending[k] == 0) {
      clear[k] = 1;
      work.push_back(static_cast<std::int32_t>(k));
    }
  while (!work.empty()) {
    std::size_t j = static_cast<std::size_t>(work.back());
    work.pop_back();
    for (std::int32_t t = first_young[j]; t < first_young[j + 1]; ++t) {
      std::size_t k = static_cast<std::size_t>(young[static_cast<std::size_t>(t)]);
      if (--pending[k] == 0) {
        clear[k] = 1;
        work.push_back(static_cast<std::int32_t>(k));
      }
    }
  }
  return clear;
}

void write_pedigree_loop_report(run_context& ctx, const animal_table& animal, const std::vector<char>& unsorted) {
  const bool en = ctx.cfg.english;
  const std::int64_t n = animal.size();
  assert(static_cast<std::int64_t>(unsorted.size()) == n + 1);

  std::string_view announce = en ? "probably a loop in the pedigree" : "waarschijnlijk een kringverwijzing in de stamboom";
  write_free_line(ctx.console, {announce});
  write_free_line(ctx.report, {announce});
  write_free_line(ctx.log, {announce});

  std::vector<std::int32_t> unsnrs;
  for (std::int64_t i = 1; i <= n; ++i)
    if (unsorted[static_cast<std::size_t>(i)]) unsnrs.push_back(animal[i].nr);
  std::vector<free_item> items;
  items.reserve(unsnrs.size() + 1);
  items.emplace_back("unsnrs");
  for (std::int32_t v : unsnrs) items.emplace_back(static_cast<int>(v));
  write_free_line(ctx.console, std::span<const free_item>(items));

  std::vector<char> clear = find_clear_of_loop(animal, unsnrs);

  write_console_and_report(ctx, {en ? "Animals of which the pedigree cannot be sorted:"
                                    : "dieren waarvan de stamboom niet gesorteerd kan worden:"});
  auto parent = [&](std::int32_t v) -> const animal_record* { return v >= 1 && v <= n ? &animal[v] : nullptr; };
  for (std::size_t k = 0; k < unsnrs.size(); ++k) {
    if (clear[k]) continue;
    const animal_record& a = animal[unsnrs[k]];
    write_console_and_report(ctx, {en ? "name" : "naam", text_of(animal, a.name)});
    write_animal_line(ctx, en ? "animal no." : "dier nr", animal, a);
    if (const animal_record* s = parent(a.sire_nr)) {
      write_console_and_report(ctx, {en ? "        with father " : "        met vader ", text_of(animal, s->name)});
      write_animal_line(ctx, en ? "        no." : "        nr", animal, *s);
    } else {
      write_free_line(ctx.console, {"father unknown"});
    }
    if (const animal_record* d = parent(a.dam_nr)) {
      write_console_and_report(ctx, {en ? "        and mother " : "        en moeder ", text_of(animal, d->name)});
      write_animal_line(ctx, en ? "        no." : "        nr", animal, *d);
    } else {
      write_free_line(ctx.console, {"mother unknown"});
    }
    write_console_and_report(ctx, {"    "});
  }

  if (en) {
    write_free_line(ctx.console, {"program will stop"});
    write_free_line(ctx.report, {"program stopped"});
    write_free_line(ctx.log, {"program stopped"});
  } else {
    write_free_line(ctx.console, {"programma wordt gestopt"});
    write_free_line(ctx.report, {"programma is gestopt"});
    write_free_line(ctx.log, {"programma is gestopt"});
  }
}

void report_pedigree_loop(run_context& ctx, const animal_table& animal, const std::vector<char>& unsorted) {
  write_pedigree_loop_report(ctx, animal, unsorted);
  end_run(ctx, exit_stopped);
}

}  // namespace veldmarsh
