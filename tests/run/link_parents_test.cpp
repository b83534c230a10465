// Linking: parent numbers through the first record of an identification,
// offspring counts, progress lines and the closing lines with the stamp.
#include "run/link_parents.h"

#include <gtest/gtest.h>

#include "pedigree_test_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using testing_support::data_record;
using testing_support::numbered;
using testing_support::table_of;

TEST(LinkParents, DuplicateIdentificationLinksToTheFirstRecord) {
  captured_run run;
  // "P" appended twice for missing parents: once male, once female.
  animal_record male = data_record("P", "0", "0", 1), female = data_record("P", "0", "0", 2);
  animal_table t = table_of({data_record("A", "P", "Q"), data_record("B", "Q", "P"), data_record("Q"), male, female});
  link_parent_numbers(run.ctx, t);
  EXPECT_EQ(t[1].sire_nr, 4);
  EXPECT_EQ(t[1].dam_nr, 3);
  EXPECT_EQ(t[2].sire_nr, 3);
  EXPECT_EQ(t[2].dam_nr, 4);
  EXPECT_EQ(t[4].n_offspring, 2);
  EXPECT_EQ(t[4].n_offspring_counted, 2);
  EXPECT_EQ(t[5].n_offspring, 0);
  EXPECT_FALSE(t[5].is_parent);
  EXPECT_EQ(t[3].n_offspring, 2);
}

TEST(LinkParents, ImportsCountAsOffspringButNotAsCountedOffspring) {
  captured_run run;
  animal_record imported = data_record("I", "S", "D");
  imported.is_import = true;
  animal_table t = table_of({data_record("S", "0", "0", 1), data_record("D"), imported, data_record("K", "0", "D")});
  link_parent_numbers(run.ctx, t);
  EXPECT_EQ(t[1].n_offspring, 1);
  EXPECT_TRUE(t[1].is_parent);
  EXPECT_EQ(t[1].n_offspring_counted, 0);
  EXPECT_FALSE(t[1].has_counted_offspring);
  EXPECT_EQ(t[2].n_offspring, 2);
  EXPECT_EQ(t[2].n_offspring_counted, 1);
  EXPECT_TRUE(t[2].has_counted_offspring);
}

TEST(LinkParents, SameParentOnBothSidesCountsTwice) {
  captured_run run;
  animal_table t = table_of({data_record("H"), data_record("O", "H", "H")});
  link_parent_numbers(run.ctx, t);
  EXPECT_EQ(t[2].sire_nr, 1);
  EXPECT_EQ(t[2].dam_nr, 1);
  EXPECT_EQ(t[1].n_offspring, 2);
  EXPECT_EQ(t[1].n_offspring_counted, 2);
}

TEST(LinkParents, RelinkingStartsCountsAfresh) {
  captured_run run;
  animal_table t = table_of({data_record("H"), data_record("O", "H", "0")});
  link_parent_numbers(run.ctx, t);
  link_parent_numbers(run.ctx, t);
  EXPECT_EQ(t[1].n_offspring, 1);
}

TEST(LinkParents, ProgressCadence) {
  EXPECT_EQ(link_progress_interval(10000), 100);
  EXPECT_EQ(link_progress_interval(10001), 200);
  EXPECT_EQ(link_progress_interval(25000), 200);
  EXPECT_EQ(link_progress_interval(25001), 500);
  {
    captured_run run;
    std::vector<animal_record> records;
    for (int k = 1; k <= 250; ++k) records.push_back(data_record(numbered("R", k)));
    animal_table t = table_of(records);
    link_parent_numbers(run.ctx, t);
    EXPECT_EQ(run.console(), (std::vector<std::string>{" animal no.          100 parents found and counted as offspring",
                                                       " animal no.          200 parents found and counted as offspring"}));
  }
  {
    captured_run run(false);
    std::vector<animal_record> records;
    for (int k = 1; k <= 30000; ++k) records.push_back(data_record(numbered("R", k)));
    animal_table t = table_of(records);
    link_parent_numbers(run.ctx, t);
    std::vector<std::string> lines = run.console();
    ASSERT_EQ(lines.size(), 59u);  // 500, 1000, ..., 29500
    EXPECT_EQ(lines[0], " dier nr.          500 ouders gevonden en als nakomeling geteld");
    EXPECT_EQ(lines[58], " dier nr.        29500 ouders gevonden en als nakomeling geteld");
  }
}

TEST(LinkParents, ClosingLinesAndStampInBothLanguages) {
  {
    captured_run run;
    animal_table t = table_of({data_record("A"), data_record("B", "A")});
    link_parents(run.ctx, t);
    EXPECT_EQ(run.console()[0], " all parents and offspring linked");
    EXPECT_EQ(run.log(), (std::vector<std::string>{
                             " Parents and offspring linked at 05/12/2026 on 10.17 and 58.123 seconds "}));
  }
  {
    captured_run run(false);
    animal_table t;
    link_parents(run.ctx, t);
    EXPECT_EQ(run.console()[0], " alle ouders en nakomelingen aan elkaar gekoppeld");
    // The phase text runs into the day; the seconds do not fit on the line.
    EXPECT_EQ(run.log(), (std::vector<std::string>{
                             " alle ouders en nakomelingen aan elkaar gekoppeld op05/12/2026 om 10.17 and ",
                             " 58.123 seconds "}));
  }
}

}  // namespace
}  // namespace veldmarsh
