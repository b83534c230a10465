// The pedigree loop report: which animals are listed, the lines on the
// console, in the report file and in the log, and the stop.
#include "run/pedigree_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "pedigree_test_support.h"
#include "run/sort_pedigree.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using testing_support::data_record;
using testing_support::numbered;
using testing_support::linked_table;
using testing_support::padded;
using testing_support::table_of;

// The animals the sort leaves unplaced.
std::vector<char> unsorted_of(const animal_table& t) {
  captured_run quiet;
  std::vector<std::int32_t> order;
  std::vector<char> placed;
  EXPECT_FALSE(find_sort_order(quiet.ctx, t, order, placed));
  std::vector<char> unsorted(placed.size(), 0);
  for (std::size_t i = 1; i < placed.size(); ++i) unsorted[i] = !placed[i];
  return unsorted;
}

TEST(PedigreeLoop, TwoAnimalsThatAreEachOthersSire) {
  animal_table t = linked_table({{"A", "B", "D", 1990}, {"B", "A", "0", 0}, {"D", "0", "0", 0}});
  t[1].birth_month = 4;
  t[1].birth_day = 17;
  std::vector<char> unsorted = unsorted_of(t);
  EXPECT_EQ(unsorted, (std::vector<char>{0, 1, 1, 1}));
  captured_run run;
  write_pedigree_loop_report(run.ctx, t, unsorted);
  std::string a = padded("name of A", 50), b = padded("name of B", 50), d = padded("name of D", 50);
  std::vector<std::string> listing{
      " Animals of which the pedigree cannot be sorted:",
      " name" + a,
      " animal no.           1 herdbook number ",
      " " + padded("A", 50) + "date of birth           17 /",
      "           4 /        1990",
      "         with father " + b,
      "         no.           2 herdbook number ",
      " " + padded("B", 50) + "date of birth unknown",
      "         and mother " + d,
      "         no.           3 herdbook number ",
      " " + padded("D", 50) + "date of birth unknown",
      "     ",
      " name" + b,
      " animal no.           2 herdbook number ",
      " " + padded("B", 50) + "date of birth unknown",
      "         with father " + a,
      "         no.           1 herdbook number ",
      " " + padded("A", 50) + "date of birth           17 /",
      "           4 /        1990",
      "     ",
  };
  std::vector<std::string> console{" probably a loop in the pedigree", " unsnrs           1           2           3"};
  console.insert(console.end(), listing.begin(), listing.end());
  console.insert(console.end() - 1, " mother unknown");
  console.push_back(" program will stop");
  std::vector<std::string> report{" probably a loop in the pedigree"};
  report.insert(report.end(), listing.begin(), listing.end());
  report.push_back(" program stopped");
  EXPECT_EQ(run.console(), console);
  EXPECT_EQ(run.report(), report);
  EXPECT_EQ(run.log(), (std::vector<std::string>{" probably a loop in the pedigree", " program stopped"}));
}

TEST(PedigreeLoop, AnimalThatIsItsOwnSireInDutch) {
  animal_table t = linked_table({{"F", "0", "0", 0}, {"S", "S", "0", 2001}, {"Y", "F", "S", 0}});
  std::vector<char> unsorted = unsorted_of(t);
  EXPECT_EQ(unsorted, (std::vector<char>{0, 0, 1, 0}));
  captured_run run(false);
  write_pedigree_loop_report(run.ctx, t, unsorted);
  std::string s = padded("name of S", 50);
  std::vector<std::string> report{
      " waarschijnlijk een kringverwijzing in de stamboom",
      " dieren waarvan de stamboom niet gesorteerd kan worden:",
      " naam" + s,
      " dier nr           2 stamboeknummer ",
      " " + padded("S", 50) + "geboren            1 /",
      "           1 /        2001",
      "         met vader " + s,
      "         nr           2 stamboeknummer ",
      " " + padded("S", 50) + "geboren            1 /",
      "           1 /        2001",
      "     ",
      " programma is gestopt"};
  EXPECT_EQ(run.report(), report);
  std::vector<std::string> console = run.console();
  ASSERT_EQ(console.size(), 14u);
  EXPECT_EQ(console[1], " unsnrs           2");
  EXPECT_EQ(console[11], " mother unknown");
  EXPECT_EQ(console[13], " programma wordt gestopt");
  EXPECT_EQ(run.log(), (std::vector<std::string>{" waarschijnlijk een kringverwijzing in de stamboom",
                                                 " programma is gestopt"}));
}

TEST(PedigreeLoop, AncestorsFreeOfLoopsAreNotListedButShownInUnsnrs) {
  // Two separate loops (P <-> Q as sires; X dam of Y dam of Z dam of X),
  // their ancestors R (founder) and M (appended, behind), and a young
  // animal that is placed.
  animal_table t = linked_table({{"P", "Q", "R", 0}, {"X", "0", "Z", 0}, {"Q", "P", "0", 0}, {"Y", "0", "X", 0},
                                 {"Z", "M", "Y", 0}, {"K", "P", "0", 0}, {"R", "0", "0", 0}, {"M", "0", "0", 0}});
  std::vector<char> unsorted = unsorted_of(t);
  EXPECT_EQ(unsorted, (std::vector<char>{0, 1, 1, 1, 1, 1, 0, 1, 1}));
  captured_run run;
  write_pedigree_loop_report(run.ctx, t, unsorted);
  std::vector<std::string> console = run.console();
  EXPECT_EQ(console[1], " unsnrs           1           2           3           4           5           7");
  EXPECT_EQ(console[2], "           8");
  std::vector<std::string> names;
  for (const std::string& l : run.report())
    if (l.rfind(" name", 0) == 0) names.push_back(l.substr(5, 9));
  EXPECT_EQ(names, (std::vector<std::string>{"name of P", "name of X", "name of Q", "name of Y", "name of Z"}));
}

// Clearing as written: passes over the list, each comparing a parent with
// every entry, until a pass clears nothing more.
std::vector<char> literal_clear(const animal_table& t, const std::vector<std::int32_t>& unsnrs) {
  std::size_t nu = unsnrs.size();
  std::vector<char> clear(nu);
  for (std::size_t k = 0; k < nu; ++k) clear[k] = t[unsnrs[k]].sire_nr == 0 && t[unsnrs[k]].dam_nr == 0;
  auto side_clear = [&](std::int32_t v) {
    if (v == 0) return true;
    for (std::size_t j = 0; j < nu; ++j)
      if (unsnrs[j] == v && clear[j]) return true;
    return false;
  };
  for (;;) {
    bool changed = false;
    for (std::size_t k = 0; k < nu; ++k)
      if (!clear[k] && side_clear(t[unsnrs[k]].sire_nr) && side_clear(t[unsnrs[k]].dam_nr)) clear[k] = changed = true;
    if (!changed) return clear;
  }
}

TEST(PedigreeLoop, ClearOfLoopEqualsTheLiteralPassesOnRandomGraphs) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    int n = 1 + static_cast<int>(rng() % 60);
    animal_table t;
    t.rows.assign(n + 1, new_animal_record());
    for (int i = 1; i <= n; ++i) {
      t[i].nr = i;
      t[i].sire_nr = rng() % 3 == 0 ? 0 : 1 + static_cast<int>(rng() % n);
      t[i].dam_nr = rng() % 3 == 0 ? 0 : 1 + static_cast<int>(rng() % n);
    }
    std::vector<std::int32_t> unsnrs;
    for (int i = 1; i <= n; ++i) unsnrs.push_back(i);
    ASSERT_EQ(find_clear_of_loop(t, unsnrs), literal_clear(t, unsnrs)) << "round " << round;
  }
}

TEST(PedigreeLoop, TenThousandUnsortedAnimalsFinishQuickly) {
  // A chain of 10000 animals, each the sire of the one before, closed into a
  // loop at its end, with the whole chain descending from a founder line.
  const int n = 10000;
  animal_table t;
  t.rows.assign(n + 1, new_animal_record());
  for (int i = 1; i <= n; ++i) {
    set_text(t[i].herdbook_nr, numbered("L", i));
    t[i].nr = i;
    t[i].sire_nr = i < n ? i + 1 : n - 1;
    t[i].dam_nr = i > n / 2 ? 0 : i + n / 2;
  }
  std::vector<char> unsorted(n + 1, 1);
  unsorted[0] = 0;
  captured_run run;
  auto start = std::chrono::steady_clock::now();
  write_pedigree_loop_report(run.ctx, t, unsorted);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
  // Every animal is listed: 10 lines with a known dam, 7 without.
  EXPECT_EQ(run.report().size(), 3u + 10 * (n / 2) + 7 * (n / 2));
}

TEST(PedigreeLoop, ReportEndsTheRunWithTheStopStatus) {
  animal_table t = linked_table({{"A", "A", "0", 0}});
  captured_run run;
  EXPECT_EXIT(report_pedigree_loop(run.ctx, t, std::vector<char>{0, 1}), ::testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace veldmarsh
