// Linking: parent numbers through the first record of an identification,
// offspring counts and the progress interval.
#include "run/link_parents.h"

#include <gtest/gtest.h>

#include "common/progress_interval.h"
#include "pedigree_test_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using testing_support::data_record;
using testing_support::numbered;
using testing_support::append_records;

TEST(LinkParents, DuplicateIdentificationLinksToTheFirstRecord) {
  captured_run run;
  // "P" appended twice for missing parents: once male, once female.
  animal_table t;
  animal_record male = data_record(t, "P", "0", "0", 1), female = data_record(t, "P", "0", "0", 2);
  append_records(t, {data_record(t, "A", "P", "Q"), data_record(t, "B", "Q", "P"), data_record(t, "Q"), male, female});
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
  animal_table t;
  animal_record imported = data_record(t, "I", "S", "D");
  imported.is_import = true;
  append_records(t, {data_record(t, "S", "0", "0", 1), data_record(t, "D"), imported, data_record(t, "K", "0", "D")});
  link_parent_numbers(run.ctx, t);
  EXPECT_EQ(t[1].n_offspring, 1);
  EXPECT_TRUE(t[1].is_parent);
  EXPECT_EQ(t[1].n_offspring_counted, 0);
  EXPECT_FALSE(t[1].has_counted_offspring);
  EXPECT_EQ(t[2].n_offspring, 2);
  EXPECT_EQ(t[2].n_offspring_counted, 1);
  EXPECT_TRUE(t[2].has_counted_offspring);
}

TEST(LinkParents, SameParentOnBothSidesCountsTwiceAndRelinkingStartsAfresh) {
  captured_run run;
  animal_table t;
  append_records(t, {data_record(t, "H"), data_record(t, "O", "H", "H")});
  link_parent_numbers(run.ctx, t);
  link_parent_numbers(run.ctx, t);
  EXPECT_EQ(t[2].sire_nr, 1);
  EXPECT_EQ(t[2].dam_nr, 1);
  EXPECT_EQ(t[1].n_offspring, 2);
  EXPECT_EQ(t[1].n_offspring_counted, 2);
}

// The English progress lines and the closing lines are checked end to end.
TEST(LinkParents, ProgressIntervalAndDutchLines) {
  for (auto [n, every] : {std::pair{10000, 100}, {10001, 200}, {25000, 200}, {25001, 500}})
    EXPECT_EQ(progress_interval(n, linking_progress), every) << n;
  captured_run run(false);
  animal_table t;
  std::vector<animal_record> records;
  for (int k = 1; k <= 250; ++k) records.push_back(data_record(t, numbered("R", k)));
  append_records(t, records);
  link_parent_numbers(run.ctx, t);
  EXPECT_EQ(run.console(), (std::vector<std::string>{" dier nr.          100 ouders gevonden en als nakomeling geteld",
                                                     " dier nr.          200 ouders gevonden en als nakomeling geteld"}));
}

}  // namespace
}  // namespace veldmarsh
