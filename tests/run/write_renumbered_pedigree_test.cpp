// The renumbered pedigree file's lines are laid out field by field; here
// they are held against the format engine on records at the edges. The
// file itself is checked end to end.
#include "run/write_renumbered_pedigree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fixed_format.h"

namespace veldmarsh {
namespace {

// Unknown and huge numbers, negative and overflowing fields, the signs of
// zero, ties of the rounding, a full, a long and a blank name.
TEST(RenumberedPedigreeLine, EqualsTheFormatEngine) {
  animal_table t;
  t.rows.assign(5, new_animal_record());
  for (std::int32_t i = 1; i <= 4; ++i) {
    t[i].nr = i;
    set_text(t, t[i].herdbook_nr, "R" + std::to_string(i));
  }
  t[2].sire_nr = 1;
  t[2].inbreeding = -0.0f;
  t[2].birth_year = 12345;
  t[2].birth_day = -5;
  t[2].dam_age_days = -1;
  t[2].sire_age_days = 999999;
  t[2].equiv_generations = 999.996f;
  set_text(t, t[2].name, std::string(60, 'n'));
  t[3].inbreeding = -0.00001f;
  t[3].n_offspring_counted = -100000;
  t[3].complete_generations = 1000;
  set_text(t, t[3].name, "");
  t[4].inbreeding = 0.99995f;
  t[4].equiv_generations = 0.005f;
  t[4].birth_month = 12;
  t[4].nr = 2147483647;
  set_text(t, t[4].herdbook_nr, std::string(50, 'h'));
  const fixed_layout layout = parse_format("(3I9,F7.4,A1,I4,A1,I2,A1,I2,I2,2I6,I6,F6.2,I3,A1,2A50)");
  std::string line;
  for (std::int64_t i = 1; i <= t.size(); ++i) {
    const animal_record& a = t[i];
    const fixed_text<50> id = text_of(t, a.herdbook_nr), name = text_of(t, a.name);
    const std::vector<fixed_value> values = {
        a.nr, a.sire_nr, a.dam_nr, a.inbreeding, " ", a.birth_year, "/", a.birth_month, "/", a.birth_day, a.sex,
        a.dam_age_days, a.sire_age_days, a.n_offspring_counted, a.equiv_generations, a.complete_generations, " ",
        id, name};
    build_renumbered_line(t, i, line);
    EXPECT_EQ(line, build_fixed_lines(layout, values)[0]) << i;
  }
}

}  // namespace
}  // namespace veldmarsh
