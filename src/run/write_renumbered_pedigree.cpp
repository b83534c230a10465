// The renumbered pedigree file and its log lines.
#include "run/write_renumbered_pedigree.h"

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "common/run_files.h"

namespace veldmarsh {

std::string renumbered_pedigree_name(std::string_view report_file_name) {
  std::string_view base = trim_right(report_file_name);
  base = base.substr(0, base.size() >= 3 ? base.size() - 3 : 0);
  while (!base.empty() && base.front() == ' ') base.remove_prefix(1);
  return std::string(base) + "new";
}

void write_renumbered_pedigree(run_context& ctx, const animal_table& animal,
                               const fixed_text<100>& report_file_name) {
  const std::string name = renumbered_pedigree_name(report_file_name.view());
  const fixed_text<100> new_pedfile_name = make_text<100>(name);
  // A name that would replace the data or steering file counts as one that
  // cannot be opened. The file is written beside its name and takes it when
  // the run ends.
  const bool opened = open_output_beside(ctx, ctx.pedigree, name).opened;
  // The opening line is English in both languages.
  write_free_line(ctx.log, {opened ? "opened the new pedfile" : "ERROR cannot open the new pedfile", new_pedfile_name});

  if (opened) {
    // One line per animal: the format is taken apart once.
    const fixed_layout line = parse_format("(3I9,F7.4,A1,I4,A1,I2,A1,I2,I2,2I6,I6,F6.2,I3,A1,2A50)");
    for (std::int64_t i = 1; i <= animal.size(); ++i) {
      const animal_record& a = animal[i];
      write_fixed_line(ctx.pedigree, line,
                       {a.nr, a.sire_nr, a.dam_nr, a.inbreeding, " ", a.birth_year, "/", a.birth_month, "/",
                        a.birth_day, a.sex, a.dam_age_days, a.sire_age_days, a.n_offspring_counted,
                        a.equiv_generations, a.complete_generations, " ", a.herdbook_nr, a.name});
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
