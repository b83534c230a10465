// The renumbered pedigree file and its log lines. Its lines are laid out by
// the format (3I9,F7.4,A1,I4,A1,I2,A1,I2,I2,2I6,I6,F6.2,I3,A1,2A50), field by
// field straight into the line, since a large pedigree writes millions.
#include "run/write_renumbered_pedigree.h"

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "common/run_files.h"
#include "common/stops.h"

namespace veldmarsh {

void build_renumbered_line(const animal_table& animal, std::int64_t i, std::string& line) {
  // The blanks of every field and the written texts " ", "/", "/" and " ".
  static const std::string blank_line = [] {
    std::string l(renumbered_line_length, ' ');
    l[39] = l[42] = '/';
    return l;
  }();
  const animal_record& a = animal[i];
  line = blank_line;
  char* p = line.data();
  put_integer_field(p, a.nr, 9);
  put_integer_field(p + 9, a.sire_nr, 9);
  put_integer_field(p + 18, a.dam_nr, 9);
  put_real_field(p + 27, a.inbreeding, 7, 4);
  put_integer_field(p + 35, a.birth_year, 4);
  put_integer_field(p + 40, a.birth_month, 2);
  put_integer_field(p + 43, a.birth_day, 2);
  put_integer_field(p + 45, a.sex, 2);
  put_integer_field(p + 47, a.dam_age_days, 6);
  put_integer_field(p + 53, a.sire_age_days, 6);
  put_integer_field(p + 59, a.n_offspring_counted, 6);
  put_real_field(p + 65, a.equiv_generations, 6, 2);
  put_integer_field(p + 71, a.complete_generations, 3);
  // A50 of a 50-character text: all its characters, the blanks after them
  // included.
  const std::string_view id = trimmed_text_of(animal.texts, a.herdbook_nr);
  const std::string_view name = trimmed_text_of(animal.texts, a.name);
  id.copy(p + 75, id.size());
  name.copy(p + 125, name.size());
}

void write_renumbered_pedigree(run_context& ctx, const animal_table& animal,
                               const fixed_text<100>& report_file_name) {
  const std::string name = renumbered_pedigree_name(report_file_name.view());
  const fixed_text<100> new_pedfile_name = make_text<100>(name);
  // A name that would replace the data or steering file counts as one that
  // cannot be opened. The file is written beside its name and takes it when
  // the run ends.
  const output_opening opening = open_output_beside(ctx, ctx.pedigree, name);
  const bool opened = opening.opened;
  // The run goes on without it, and ends with a diagnostic that says so.
  if (!opened) {
    ctx.pedigree.file_name = name;
    give_up_renumbered_file(ctx,
                            opening.reached != nullptr ? opening.by + " would replace the " + opening.reached
                            : opening.concerned == name ? "cannot open for writing"
                                                        : "cannot open for writing '" + opening.concerned + "'",
                            opening.reached != nullptr);
  }
  // The opening line is English in both languages.
  write_free_line(ctx.log, {opened ? "opened the new pedfile" : "ERROR cannot open the new pedfile", new_pedfile_name});

  if (opened) {
    std::string line;
    for (std::int64_t i = 1; i <= animal.size(); ++i) {
      build_renumbered_line(animal, i, line);
      write_raw_line(ctx.pedigree, line);
    }
  }

  if (ctx.cfg.english) {
    if (opened)
      write_free_line(ctx.log, {"Renumbered pedigree and inbreeding coefficients written to ", new_pedfile_name});
    write_free_line(ctx.log, {" "});
  } else {
    if (opened)
      write_free_line(ctx.log,
                      {"Hernummerde stamboom and en inteeltcoefficienten geschreven naar ", new_pedfile_name});
    write_free_line(ctx.log, {" "});
    write_free_line(ctx.log, {" "});
  }
}

}  // namespace veldmarsh
