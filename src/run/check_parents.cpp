// Parents without a record of their own, and the growth of the table by one
// record for each of them.
#include "run/check_parents.h"

#include <cassert>
#include <limits>

#include "common/free_format.h"
#include "common/stops.h"
#include "run/identification_index.h"

namespace veldmarsh {

void check_parents(run_context& ctx, const animal_table& animal, missing_parents& missing) {
  const std::int64_t n = animal.size();
  const std::vector<std::int32_t> first_record = first_record_of_identifications(animal);
  // A parent named many times is listed once.
  std::vector<char> listed(first_record.size(), 0);  // by identification: 1 as a sire, 2 as a dam
  missing.sire_ids.clear();
  missing.dam_ids.clear();
  for (std::int64_t i = 1; i <= n; ++i) {
    const animal_record& a = animal[i];
    if (!(a.sire_id == unknown_parent) && first_record[a.sire_id.number] == 0 && !(listed[a.sire_id.number] & 1)) {
      listed[a.sire_id.number] |= 1;
      missing.sire_ids.push_back(a.sire_id);
    }
    if (!(a.dam_id == unknown_parent) && first_record[a.dam_id.number] == 0 && !(listed[a.dam_id.number] & 2)) {
      listed[a.dam_id.number] |= 2;
      missing.dam_ids.push_back(a.dam_id);
    }
    if (i % 10000 == 0 && i != n) {
      if (ctx.cfg.english)
        write_free_line(ctx.console, {"animal no. ", i, "parents checked"});
      else
        write_free_line(ctx.console, {"dier nr. ", i, "ouders gecheckt"});
      show_progress(ctx.console);
    }
  }
  write_free_line(ctx.console, {"all ", n, "parents checked"});
}

void report_missing_parents(run_context& ctx, const missing_parents& missing) {
  const std::int64_t n_missing_sires = static_cast<std::int64_t>(missing.sire_ids.size());
  const std::int64_t n_missing_dams = static_cast<std::int64_t>(missing.dam_ids.size());
  if (ctx.cfg.english) {
    if (n_missing_sires == 0) {
      write_console_and_log(ctx, {"no fathers found that were not in database"});
    } else if (n_missing_sires == 1) {
      write_free_line(ctx.console, {"one father found that were not in database"});
      write_free_line(ctx.log, {"one father found that was not in database"});
    } else {
      write_console_and_log(ctx, {n_missing_sires, "fathers found that were not in database"});
    }
    if (n_missing_dams == 0) {
      write_console_and_log(ctx, {"no mothers found that were not in database"});
    } else if (n_missing_dams == 1) {
      write_free_line(ctx.console, {"one mother found that were not in database"});
      write_free_line(ctx.log, {"one mother found that was not in database"});
    } else {
      write_console_and_log(ctx, {n_missing_dams, "mothers found that were not in database"});
    }
    return;
  }
  if (n_missing_sires == 0)
    write_console_and_log(ctx, {"geen vaders gevonden die afwezig waren in de database"});
  else if (n_missing_sires == 1)
    write_console_and_log(ctx, {"Een enkele vader gevonden die afwezig was in de database"});
  else
    write_console_and_log(ctx, {n_missing_sires, "Meerdere vaders gevonden die afwezig waren in de database"});
  if (n_missing_dams == 0)
    write_console_and_log(ctx, {"geen moeders gevonden die afwezig waren in de database"});
  else if (n_missing_dams == 1)
    write_console_and_log(ctx, {"Een enkele moeder gevonden die afwezig was in de database"});
  else
    write_console_and_log(ctx, {n_missing_dams, "Meerdere moeders gevonden die afwezig waren in de database"});
}

animal_record missing_parent_record(identification_ref id, std::int32_t sex, std::int32_t nr) {
  animal_record r;  // every number 0, every logical false, birth date 0/1/1, blank name and codes
  r.herdbook_nr = id;
  r.sire_id = unknown_parent;
  r.dam_id = unknown_parent;
  r.sex = sex;
  r.nr = nr;
  return r;
}

void append_missing_parents(run_context& ctx, const missing_parents& missing, animal_table& animal) {
  const std::int64_t n_missing = static_cast<std::int64_t>(missing.sire_ids.size() + missing.dam_ids.size());
  if (n_missing == 0) return;
  const std::int64_t n_animals = animal.size() + n_missing;
  // Record numbers are 32-bit; a larger table cannot be numbered.
  if (n_animals > std::numeric_limits<std::int32_t>::max())
    fail_diagnostic(ctx, "the animal table with the missing parents holds more than 2147483647 records",
                    "data file", trim_right(ctx.cfg.data_file_name.view()));
  allocate_tables(ctx, "the animal table with the missing parents", [&] {
    animal.rows.reserve(static_cast<std::size_t>(n_animals) + 1);
    return true;
  });
  if (animal.rows.empty()) animal.rows.push_back(animal_record{});  // row 0 is never an animal
  for (identification_ref id : missing.sire_ids)
    animal.rows.push_back(missing_parent_record(id, 1, static_cast<std::int32_t>(animal.rows.size())));
  for (identification_ref id : missing.dam_ids)
    animal.rows.push_back(missing_parent_record(id, 2, static_cast<std::int32_t>(animal.rows.size())));
  assert(animal.size() == n_animals);

  if (ctx.cfg.english) {
    write_free_line(ctx.log, {"Database extended now all parents have own record"});
    write_free_line(ctx.log, {"Total number of animals in database is now ", n_animals});
    write_free_line(ctx.console, {"Database extended to include all parents"});
    write_free_line(ctx.console, {"Total number of animals in database is now ", n_animals});
  } else {
    write_free_line(ctx.log, {"Database uitgebreid zodat alle ouders een eigen regel hebben"});
    write_free_line(ctx.log, {"Totaal aantal dieren is nu ", n_animals});
    write_free_line(ctx.console, {"Database uitgebreid zodat alle ouders een eigen regel hebben"});
    write_free_line(ctx.console, {"Totaal aantal dieren is nu ", n_animals});
  }
}

}  // namespace veldmarsh
