// Header line recognition: a column name is looked up without its leading
// blanks, cut to 16 characters, case-sensitive (whole header lines, their
// console lines and the missing-column stops are held end to end).
#include "run/assign_columns.h"

#include <gtest/gtest.h>

#include "support/captured_run.h"

namespace veldmarsh {
namespace {

TEST(RecogniseHeader, NamesLessLeadingBlanksCutTo16Characters) {
  testing::captured_channels<false> run;
  run.ctx.cfg.delimiter = ';';
  run.ctx.cfg.merge_delimiters = false;
  // Leading blanks, also more than the 16 characters leave room for; a name
  // whose 17th character is cut off; another case; a blank within a name.
  recognise_header(run.ctx, "  id;          geboortedatum; sire;birthdate       x;DAM;Dam;sex x");
  const std::array<int, 25> kinds{kind_id, kind_birth_date, kind_sire_id, kind_birth_date, 0, kind_dam_id, 0};
  EXPECT_EQ(run.ctx.cfg.column_kind, kinds);
  EXPECT_EQ(run.console()[1], "  Name found for column            2 geboortedatum   ");
}

}  // namespace
}  // namespace veldmarsh
