// Parent age, generation interval and offspring tables (plain layouts held by
// the end-to-end cases): the messages that replace an age table, formats
// beyond 999 columns, the 0.1-year test of the parents' mean, the generation
// interval, asterisks and a blank top parent.
#include "reports/parent_age_tables.h"

#include <gtest/gtest.h>

#include "../run/pedigree_test_support.h"
#include "run/species_words.h"
#include "support/year_table_builders.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;

const std::string u56(56, '_'), sep(12, ' ');

TEST(ParentAgeReport, NoFatherAgesGiveTheMessageAndTheMothersTableFollows) {
  captured_run run(true);
  year_table<std::int32_t> no_sires;
  allocate_year_table(no_sires, 2, 0);
  auto dams = testing::year_table_of<std::int32_t>({{1, 0}, {0, 3}}, 2);
  write_parent_age_report(run.ctx, 2021, 2020, 2, 0, no_sires, 2, dams);
  std::vector<std::string> expected = {
      sep,
      "  No fathers with Date of birth known",
      sep,
      sep,
      "                 AGE mothers",
      " " + u56,
      "   born                     age                     ",
      "  jaar         1       2",
      " " + u56,
      "    2020       1       0",
      "    2021       0       3",
      " " + u56,
      " total         1       3",
      " " + u56,
  };
  EXPECT_EQ(run.report(), expected);
}

TEST(ParentAgeReport, DutchFathersTableThenTheMothersMessageWithoutSeparatorBefore) {
  captured_run run(false);
  // An age class that no year uses is printed all the same.
  auto sires = testing::year_table_of<std::int32_t>({{0, 2}, {0, 0}, {0, 5}}, 2);
  year_table<std::int32_t> no_dams;
  allocate_year_table(no_dams, 3, 0);
  write_parent_age_report(run.ctx, 2022, 2020, 3, 2, sires, -5883516, no_dams);
  std::vector<std::string> expected = {
      sep,
      "      LEEFTIJD vaders",
      " " + u56,
      "   geb.                     leeftijd                     ",
      "  jaar         1       2",
      " " + u56,
      "    2020       0       2",
      "    2021       0       0",
      "    2022       0       5",
      " " + u56,
      " totaal        0       7",
      " " + u56,
      "  No mothers with Date of birth known",
      sep,
  };
  EXPECT_EQ(run.report(), expected);
}

TEST(ParentAgeReport, MoreThan999AgeColumns) {
  // A parent date with a two-digit year makes ages near 2000 years.
  captured_run run(true);
  year_table<std::int32_t> sires;
  allocate_year_table(sires, 1, 1934);
  sires(1, 1934) = 1;
  year_table<std::int32_t> dams;
  allocate_year_table(dams, 1, 0);
  write_parent_age_report(run.ctx, 2020, 2020, 1, 1934, sires, 0, dams);
  auto lines = run.report();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[4].size(), 8u + 8u * 1934u);
  EXPECT_EQ(lines[4].substr(lines[4].size() - 16), "    1933    1934");
  EXPECT_EQ(lines[6].substr(0, 16), "    2020       0");
  EXPECT_EQ(lines[6].substr(lines[6].size() - 8), "       1");
  EXPECT_EQ(lines[8].substr(lines[8].size() - 8), "       1");
  EXPECT_EQ(lines[10], "  No mothers with Date of birth known");
}

TEST(GenerationIntervalReport, ParentsMeanSkipsASexWithoutAgesAndIntervalIsThePlainMean) {
  captured_run run(true);
  set_species_sex_words(run.ctx.cfg, 9);
  auto sires = testing::year_table_of<float>({{3.5f}, {0.0f}, {0.0f}, {0.1f}, {12.25f}}, 1);
  auto dams = testing::year_table_of<float>({{4.25f}, {2.5f}, {0.0f}, {3.0f}, {0.11f}}, 1);
  float interval = write_generation_interval_report(run.ctx, 2024, 2020, sires, dams, {3.2f, 4.0f});
  std::vector<std::string> expected = {
      sep,
      "      GENERATION INTERVAL  mean age parents at birth pups",
      " " + u56,
      "  Y. of        mean age      ",
      "  birth   fathers  mothers   parents",
      " " + u56,
      "    2020    3.50    4.25    3.88",  // 3.875 rounds to even
      "    2021    0.00    2.50    2.50",
      "    2022    0.00    0.00    0.00",
      "    2023    0.10    3.00    3.10",  // 0.1 counts as no age
      "    2024   12.25    0.11    6.18",
      " " + u56,
      " total      3.20    4.00    3.60",
      " " + u56,
  };
  EXPECT_EQ(run.report(), expected);
  EXPECT_EQ(interval, (3.2f + 4.0f) * 0.5f);
}

TEST(GenerationIntervalReport, DutchWithOneUnknownOverallAge) {
  captured_run run(false);
  set_species_sex_words(run.ctx.cfg, 1);
  auto sires = testing::year_table_of<float>({{0.0f}}, 1);
  auto dams = testing::year_table_of<float>({{5.0f}}, 1);
  float interval = write_generation_interval_report(run.ctx, 2020, 2020, sires, dams, {0.0f, 5.0f});
  const std::vector<std::string> lines = run.report();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[6], "    2020    0.00    5.00    5.00");
  EXPECT_EQ(lines[8], " totaal     0.00    5.00    2.50");
  EXPECT_EQ(interval, 2.5f);
}

animal_record parent(std::string_view name, std::string_view id, int year, int offspring) {
  animal_record r = new_animal_record();
  set_text(r.name, name);
  set_text(r.herdbook_nr, id);
  r.birth_year = year;
  r.n_offspring_counted = offspring;
  return r;
}

TEST(OffspringPerParentReport, SingularWordsAsterisksAndABlankRecord) {
  captured_run run(false);
  set_species_sex_words(run.ctx.cfg, 2);  // kat: kater, poes
  auto stats = testing::year_table_of<float>({{123456.0f, 0.0f, 12345678.0f, 0.0f, 0.0f, 0.0f}}, 6);
  animal_record nobody = parent("", "", 0, 0);
  write_offspring_per_parent_report(run.ctx, 2020, 2020, 1, stats, parent("Tom", "K-1", 2015, 3), nobody);
  auto lines = run.report();
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[3], "   geb.           kater         |         poes         |");
  // Values too wide for their fields show asterisks.
  EXPECT_EQ(lines[6], "    2020********    0.00********    0.00    0.00      0.");
  // The blank record of a sex without parents.
  EXPECT_EQ(lines[16], " teef met de meeste nakomelingen in de populatie");
  EXPECT_EQ(lines[17], " naam: " + std::string(50, ' '));
}

}  // namespace
}  // namespace veldmarsh
