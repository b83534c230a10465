// Linking parents and offspring by record number, through the first record
// of each identification (the first in table order wins).
#include "run/link_parents.h"

#include "common/clock.h"
#include "common/free_format.h"
#include "common/progress_interval.h"
#include "run/identification_index.h"
#include "run/sort_pedigree.h"

namespace veldmarsh {

namespace {

// Counts one linked offspring in its parent's record.
void count_offspring(animal_record& parent, bool offspring_is_import) {
  ++parent.n_offspring;
  parent.is_parent = true;
  if (!offspring_is_import) {
    ++parent.n_offspring_counted;
    parent.has_counted_offspring = true;
  }
}

}  // namespace

void link_parent_numbers(run_context& ctx, animal_table& animal) {
  const std::int64_t n = animal.size();
  for (std::int64_t i = 1; i <= n; ++i) {
    animal_record& a = animal[i];
    a.n_offspring_counted = 0;
    a.n_offspring = 0;
    a.sire_nr = 0;
    a.dam_nr = 0;
  }
  const std::vector<std::int32_t> first_record = first_record_of_identifications(animal);

  const std::int64_t interval = progress_interval(n, linking_progress);
  std::int64_t counter = 0;
  for (std::int64_t i = 1; i <= n; ++i) {
    if (counter == interval) {
      if (ctx.cfg.english)
        write_free_line(ctx.console, {"animal no. ", i - 1, "parents found and counted as offspring"});
      else
        write_free_line(ctx.console, {"dier nr. ", i - 1, "ouders gevonden en als nakomeling geteld"});
      counter = 0;
    }
    animal_record& a = animal[i];
    if (!(a.sire_id == unknown_parent)) {
      std::int32_t s = first_record[a.sire_id.number];
      a.sire_nr = s;
      if (s != 0) count_offspring(animal[s], a.is_import);
    }
    if (!(a.dam_id == unknown_parent)) {
      std::int32_t d = first_record[a.dam_id.number];
      a.dam_nr = d;
      if (d != 0) count_offspring(animal[d], a.is_import);
    }
    ++counter;
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
