// Parents without a record of their own, and the growth of the table by one
// record for each of them.
#include "run/check_parents.h"

#include <cassert>
#include <limits>
#include <new>

#include "common/free_format.h"
#include "common/stops.h"
#include "run/identification_index.h"

namespace veldmarsh {

namespace {

const fixed_text<50> unknown_parent = make_text<50>("0");

// The missing identifications of one parent side, with an index over them
// so that a parent named many times is listed once.
struct missing_list {
  std::vector<fixed_text<50>>& ids;
  identification_index index;

  explicit missing_list(std::vector<fixed_text<50>>& list) : ids(list) {
    ids.clear();
    reset_identification_index(index, 0);
  }

  auto key_at() {
    return [this](std::int32_t k) -> const fixed_text<50>& { return ids[static_cast<std::size_t>(k - 1)]; };
  }

  void add(const fixed_text<50>& id, std::uint64_t hash) {
    // Keep the load at most one half: grow and re-insert before adding.
    if (static_cast<std::uint64_t>(index.count + 1) * 2 > index.slots.size()) {
      reset_identification_index(index, static_cast<std::int64_t>(ids.size()) * 2 + 1);
      for (std::size_t k = 0; k < ids.size(); ++k)
        insert_identification(index, ids[k], hash_identification(ids[k]), static_cast<std::int32_t>(k + 1), key_at());
    }
    std::int32_t next = static_cast<std::int32_t>(ids.size() + 1);
    if (insert_identification(index, id, hash, next, key_at()) == next) ids.push_back(id);
  }
};

}  // namespace

void check_parents(run_context& ctx, const animal_table& animal, std::int64_t& n_missing_dams,
                   std::vector<fixed_text<50>>& missing_dam_ids, std::int64_t& n_missing_sires,
                   std::vector<fixed_text<50>>& missing_sire_ids) {
  const std::int64_t n = animal.size();
  identification_index records;
  index_herdbook_numbers(records, animal);
  missing_list sires(missing_sire_ids);
  missing_list dams(missing_dam_ids);

  for_each_parent_hash(records, animal, [&](std::int64_t i, std::uint64_t sire_hash, std::uint64_t dam_hash) {
    const animal_record& a = animal[i];
    if (!(a.sire_id == unknown_parent) && find_herdbook_nr(records, animal, a.sire_id, sire_hash) == 0)
      sires.add(a.sire_id, sire_hash);
    if (!(a.dam_id == unknown_parent) && find_herdbook_nr(records, animal, a.dam_id, dam_hash) == 0)
      dams.add(a.dam_id, dam_hash);
    if (i % 10000 == 0 && i != n) {
      if (ctx.cfg.english)
        write_free_line(ctx.console, {"animal no. ", i, "parents checked"});
      else
        write_free_line(ctx.console, {"dier nr. ", i, "ouders gecheckt"});
    }
  });
  write_free_line(ctx.console, {"all ", n, "parents checked"});
  n_missing_sires = static_cast<std::int64_t>(missing_sire_ids.size());
  n_missing_dams = static_cast<std::int64_t>(missing_dam_ids.size());
}

void report_missing_parents(run_context& ctx, std::int64_t n_missing_sires, std::int64_t n_missing_dams) {
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

animal_record missing_parent_record(const fixed_text<50>& id, std::int32_t sex, std::int32_t nr) {
  animal_record r;  // every number 0, every logical false, birth date 0/1/1
  r.herdbook_nr = id;
  set_text(r.name, "");
  r.sire_id = unknown_parent;
  r.dam_id = unknown_parent;
  set_text(r.colour, "");
  set_text(r.breeder, "");
  set_text(r.subpop_code, "");
  r.sex = sex;
  r.nr = nr;
  return r;
}

void append_missing_parents(run_context& ctx, animal_table& animal, std::int64_t& n_animals,
                            std::int64_t n_missing_sires, const std::vector<fixed_text<50>>& missing_sire_ids,
                            std::int64_t n_missing_dams, const std::vector<fixed_text<50>>& missing_dam_ids) {
  if (n_missing_sires + n_missing_dams <= 0) return;
  assert(n_animals == animal.size());
  assert(static_cast<std::int64_t>(missing_sire_ids.size()) >= n_missing_sires);
  assert(static_cast<std::int64_t>(missing_dam_ids.size()) >= n_missing_dams);
  const std::int64_t total = n_animals + n_missing_sires + n_missing_dams;
  // Record numbers are 32-bit; a larger table cannot be numbered.
  if (total > std::numeric_limits<std::int32_t>::max())
    fail_diagnostic(ctx, "the animal table with the missing parents holds more than 2147483647 records",
                    "data file", trim_right(ctx.cfg.data_file_name.view()));
  try {
    animal.rows.reserve(static_cast<std::size_t>(total) + 1);
  } catch (const std::bad_alloc&) {
    fail_diagnostic(ctx, "cannot allocate the animal table with the missing parents", "data file",
                    trim_right(ctx.cfg.data_file_name.view()));
  }
  if (animal.rows.empty()) animal.rows.push_back(animal_record{});  // row 0 is never an animal
  for (std::int64_t k = 0; k < n_missing_sires; ++k)
    animal.rows.push_back(missing_parent_record(missing_sire_ids[static_cast<std::size_t>(k)], 1,
                                                static_cast<std::int32_t>(animal.rows.size())));
  for (std::int64_t k = 0; k < n_missing_dams; ++k)
    animal.rows.push_back(missing_parent_record(missing_dam_ids[static_cast<std::size_t>(k)], 2,
                                                static_cast<std::int32_t>(animal.rows.size())));
  n_animals = total;
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
