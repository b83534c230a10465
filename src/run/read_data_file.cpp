// The animal table's creation, the reading of the data file into it, and
// the reset of its derived fields before the pedigree is completed.
#include "run/read_data_file.h"

#include <limits>
#include <string>

#include "common/free_format.h"
#include "common/progress_interval.h"
#include "common/stops.h"
#include "run/assign_columns.h"
#include "run/data_and_report_files.h"
#include "run/data_fields.h"

namespace veldmarsh {

std::int64_t count_animal_lines(run_context& ctx, input_file& data) {
  const std::int64_t n_lines = count_records(ctx, data);
  const std::int64_t n_animals = data_file_has_header_line(ctx.cfg) ? n_lines - 1 : n_lines;
  return n_animals > 0 ? n_animals : 0;
}

void create_animal_table(run_context& ctx, animal_table& animal, std::int64_t n_animals) {
  if (n_animals < 0) n_animals = 0;
  if (n_animals > std::numeric_limits<std::int32_t>::max())
    fail_diagnostic(ctx, "the data file holds more than 2147483647 records", "data file",
                    trim_right(ctx.cfg.data_file_name.view()));
  allocate_tables(ctx, "the animal table", [&] {
    animal.rows.assign(static_cast<std::size_t>(n_animals) + 1, new_animal_record());
    return true;
  });
}

void write_record_progress(run_context& ctx, const animal_table& animal, std::int64_t record_nr) {
  const settings& cfg = ctx.cfg;
  const animal_record& r = animal[record_nr];
  output_channel& out = ctx.console;
  write_free_line(out, {cfg.english ? "record no. " : "record nr. ", static_cast<long long>(record_nr),
                        cfg.english ? "read" : "gelezen"});
  write_free_line(out, {"id            = ", text_of(animal, r.herdbook_nr)});
  if (cfg.has_name_column) write_free_line(out, {"name          = ", text_of(animal, r.name)});
  write_free_line(out, {"sire          = ", text_of(animal, r.sire_id)});
  write_free_line(out, {"dam           = ", text_of(animal, r.dam_id)});
  write_free_line(out, {"birthdate     = ", r.birth_day, "-", r.birth_month, "-", r.birth_year});
  write_free_line(out, {"sex           = ", r.sex});
  if (cfg.has_colour_column) write_free_line(out, {"colour        = ", text_of(animal, r.colour)});
  if (cfg.has_breeder_column) write_free_line(out, {"breeder       = ", text_of(animal, r.breeder)});
  if (cfg.has_subpop_column) write_free_line(out, {"subpopulation = ", text_of(animal, r.subpop_code)});
  if (cfg.has_import_column) write_free_line(out, {"Import = ", logical_item(r.is_import)});
  show_progress(out);
}

void read_data_file(run_context& ctx, input_file& data, animal_table& animal) {
  assign_columns(ctx, data);
  write_report_banner_columns(ctx);

  const std::int64_t n_animals = animal.size();
  const std::int64_t interval = progress_interval(n_animals, reading_progress);
  const data_line_layout layout = make_data_line_layout(ctx.cfg);
  std::string line;
  unreadable_date unreadable;
  // The progress counter starts at 1 and is set to -1 after a block, so the
  // blocks follow records interval - 1, 2 x interval, 3 x interval + 1, ...
  std::int64_t counter = 1;
  for (std::int64_t r = 1; r <= n_animals; ++r) {
    if (!read_input_line(data, line)) {
      if (data.failed) fail_diagnostic(ctx, "read failed", data.label, data.file_name, data.line_number + 1);
      if (ctx.cfg.english)
        write_console_and_log(ctx, {"endrecord at animal = ", static_cast<long long>(r)});
      else
        write_console_and_log(ctx, {"eindrecord bij dier = ", static_cast<long long>(r)});
      break;
    }
    if (split_data_line(ctx, layout, line, r, animal.texts, animal[r], &unreadable) != field_status::ok)
      fail_diagnostic(ctx, "the birth-date part '" + unreadable.part + "' of '" + unreadable.field +
                               "' is not a whole number",
                      data.label, data.file_name, data.line_number);
    if (++counter == interval) {
      write_record_progress(ctx, animal, r);
      counter = -1;
    }
  }
  // Merging the texts takes a while on a large file: the last lines are
  // shown first.
  hand_on_lines(ctx.console);
  merge_equal_texts(animal);
  write_console_and_log(ctx, {ctx.cfg.english ? "all records read" : "alle records gelezen"});
}

void reset_and_number_records(animal_table& animal) {
  const std::int64_t n = animal.size();
  for (std::int64_t i = 1; i <= n; ++i) {
    animal_record& r = animal[i];
    r.has_counted_offspring = false;
    r.is_parent = false;
    r.sire_nr = 0;
    r.dam_nr = 0;
    r.sire_age_days = 0;
    r.dam_age_days = 0;
    r.n_offspring_counted = 0;
    r.n_offspring = 0;
    r.complete_generations = 0;
    r.equiv_generations = 0.0f;
    r.inbreeding = 0.0f;
    r.nr = static_cast<std::int32_t>(i);
  }
}

}  // namespace veldmarsh
