// Parents without a record: the lists in first-met order, the growth of the
// table, the Dutch messages and the progress lines.
#include "run/check_parents.h"

#include <gtest/gtest.h>

#include "pedigree_test_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using testing_support::data_record;
using testing_support::numbered;
using testing_support::padded;
using testing_support::append_records;
using testing_support::text;

missing_parents check(captured_run& run, const animal_table& t) {
  missing_parents m;
  check_parents(run.ctx, t, m);
  return m;
}

std::vector<std::string> trimmed_ids(const animal_table& t, const std::vector<identification_ref>& ids) {
  std::vector<std::string> out;
  for (identification_ref id : ids) out.emplace_back(text(t, id));
  return out;
}

TEST(CheckParents, ListsEachMissingIdentificationOnceInFirstMetOrder) {
  captured_run run;
  animal_table t;
  std::vector<animal_record> records;
  // "S" sires ten animals; "X" is sire of one and dam of another; "a" and
  // " A" differ from the record "A" by case and by a leading blank.
  records.push_back(data_record(t, "A"));
  for (int k = 0; k < 10; ++k) records.push_back(data_record(t, numbered("Y", k), "S", "D2"));
  records.push_back(data_record(t, "Z1", "X", "a"));
  records.push_back(data_record(t, "Z2", " A", "X"));
  records.push_back(data_record(t, "Z3", "A", "A"));
  append_records(t, records);
  missing_parents m = check(run, t);
  EXPECT_EQ(trimmed_ids(t, m.sire_ids), (std::vector<std::string>{"S", "X", " A"}));
  EXPECT_EQ(trimmed_ids(t, m.dam_ids), (std::vector<std::string>{"D2", "a", "X"}));
}

TEST(CheckParents, AppendsSiresThenDamsNumberedOn) {
  // 100 records, 3 missing sires and 2 missing dams.
  animal_table t;
  std::vector<animal_record> records;
  for (int k = 1; k <= 100; ++k) records.push_back(data_record(t, numbered("R", k)));
  records[9] = data_record(t, "R10", "S1", "D1");
  records[19] = data_record(t, "R20", "S2", "R1");
  records[29] = data_record(t, "R30", "S3", "D2");
  records[39] = data_record(t, "R40", "S1", "D2");
  captured_run run(false);  // the English lines are checked end to end
  append_records(t, records);
  missing_parents m = check(run, t);
  report_missing_parents(run.ctx, m);
  append_missing_parents(run.ctx, m, t);
  ASSERT_EQ(t.size(), 105);
  const char* ids[] = {"S1", "S2", "S3", "D1", "D2"};
  for (int row = 101; row <= 105; ++row) {
    const animal_record& r = t[row];
    EXPECT_EQ(text(t, r.herdbook_nr), ids[row - 101]);
    EXPECT_EQ(r.sex, row <= 103 ? 1 : 2);
    EXPECT_EQ(r.nr, row);
    EXPECT_EQ(text_of(t, r.name).view(), padded("", 50));
    EXPECT_EQ(text(t, r.sire_id), "0");
    EXPECT_EQ(text(t, r.dam_id), "0");
    EXPECT_EQ(r.birth_year, 0);
    EXPECT_EQ(r.birth_month, 1);
    EXPECT_EQ(r.birth_day, 1);
    EXPECT_TRUE(text(t, r.colour).empty() && text(t, r.breeder).empty() && text(t, r.subpop_code).empty());
    EXPECT_FALSE(r.is_import || r.is_parent || r.has_counted_offspring);
    EXPECT_EQ(r.n_offspring + r.sire_nr + r.dam_nr + r.n_offspring_counted, 0);
  }
  EXPECT_EQ(text(t, t[40].sire_id), "S1");  // records of the data file unchanged
  EXPECT_EQ(text(t, t[100].herdbook_nr), "R100");
  std::vector<std::string> lines{
      "           3 Meerdere vaders gevonden die afwezig waren in de database",
      "           2 Meerdere moeders gevonden die afwezig waren in de database",
      " Database uitgebreid zodat alle ouders een eigen regel hebben", " Totaal aantal dieren is nu          105"};
  EXPECT_EQ(run.log(), lines);
  lines.insert(lines.begin(), " all          100 parents checked");
  EXPECT_EQ(run.console(), lines);
}

// In English the progress lines are checked end to end.
TEST(CheckParents, ProgressEveryTenThousandRecordsButNotAfterTheLast) {
  captured_run run(false);
  animal_table t;
  std::vector<animal_record> records;
  for (int k = 1; k <= 20000; ++k) records.push_back(data_record(t, numbered("R", k)));
  append_records(t, records);
  check(run, t);
  EXPECT_EQ(run.console(),
            (std::vector<std::string>{" dier nr.        10000 ouders gecheckt", " all        20000 parents checked"}));
}

TEST(CheckParents, ManyMissingParentsKeepTheirOrder) {
  // Enough distinct missing parents to make the lists' index grow.
  captured_run run;
  animal_table t;
  std::vector<animal_record> records;
  for (int k = 0; k < 5000; ++k)
    records.push_back(data_record(t, numbered("R", k), numbered("S", k % 997), numbered("D", k)));
  append_records(t, records);
  missing_parents m = check(run, t);
  ASSERT_EQ(m.sire_ids.size(), 997u);
  ASSERT_EQ(m.dam_ids.size(), 5000u);
  for (int k = 0; k < 997; ++k) EXPECT_EQ(text(t, m.sire_ids[k]), numbered("S", k));
  for (int k = 0; k < 5000; ++k) EXPECT_EQ(text(t, m.dam_ids[k]), numbered("D", k));
}

}  // namespace
}  // namespace veldmarsh
