// Linking parents and offspring by record number, through the first record
// of each identification (the first in table order wins).
#include "run/link_parents.h"

#include "common/clock.h"
#include "common/free_format.h"
#include "common/progress_interval.h"
#include "run/identification_index.h"
#include "run/sort_pedigree.h"

namespace veldmarsh {

void link_parent_numbers(run_context& ctx, animal_table& animal) {
  const std::int64_t n = animal.size();
  const std::vector<std::int32_t> first_record = first_record_of_identifications(animal);
  // Offspring counted in compact tables while the young are linked, then
  // stored in the parents' records in one pass.
  std::vector<std::int32_t> offspring(static_cast<std::size_t>(n) + 1, 0);
  std::vector<std::int32_t> counted_offspring(static_cast<std::size_t>(n) + 1, 0);

  const std::int64_t interval = progress_interval(n, linking_progress);
  std::int64_t counter = 0;
  for (std::int64_t i = 1; i <= n; ++i) {
    if (counter == interval) {
      if (ctx.cfg.english)
        write_free_line(ctx.console, {"animal no. ", i - 1, "parents found and counted as offspring"});
      else
        write_free_line(ctx.console, {"dier nr. ", i - 1, "ouders gevonden en als nakomeling geteld"});
      show_progress(ctx.console);
      counter = 0;
    }
    animal_record& a = animal[i];
    a.sire_nr = a.sire_id == unknown_parent ? 0 : first_record[a.sire_id.number];
    a.dam_nr = a.dam_id == unknown_parent ? 0 : first_record[a.dam_id.number];
    for (std::int32_t p : {a.sire_nr, a.dam_nr}) {
      if (p == 0) continue;
      ++offspring[static_cast<std::size_t>(p)];
      if (!a.is_import) ++counted_offspring[static_cast<std::size_t>(p)];
    }
    ++counter;
  }
  for (std::int64_t i = 1; i <= n; ++i) {
    animal_record& a = animal[i];
    a.n_offspring = offspring[static_cast<std::size_t>(i)];
    a.n_offspring_counted = counted_offspring[static_cast<std::size_t>(i)];
    if (a.n_offspring > 0) a.is_parent = true;
    if (a.n_offspring_counted > 0) a.has_counted_offspring = true;
  }
}

void link_parents(run_context& ctx, animal_table& animal) {
  link_parent_numbers(ctx, animal);
  read_clock(ctx);
  if (ctx.cfg.english) {
    write_free_line(ctx.console, {"all parents and offspring linked"});
    write_time_stamp(ctx, "Parents and offspring linked at ", " on ");
  } else {
    write_free_line(ctx.console, {"alle ouders en nakomelingen aan elkaar gekoppeld"});
    // The Dutch phase text runs straight into the day, without a blank.
    write_time_stamp(ctx, "alle ouders en nakomelingen aan elkaar gekoppeld op", " om ");
  }
  sort_pedigree(ctx, animal);
}

}  // namespace veldmarsh
