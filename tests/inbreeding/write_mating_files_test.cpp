// The mating-candidate files: their names, and every byte of the three files
// for a small pedigree whose candidate relationships come from the tabular
// matrix, with a candidate named twice and numbers that name no animal.
#include "inbreeding/write_mating_files.h"

#include <gtest/gtest.h>

#include "support/captured_run.h"
#include "support/pedigrees.h"
#include "support/program_run.h"

namespace veldmarsh {
namespace {

using std::filesystem::path;

TEST(MakeMatingFileNames, BaseNameLessItsLastFourCharactersPlusSuffix) {
  const mating_file_names names = make_mating_file_names(pad_text("pedigree.txt", 100));
  EXPECT_EQ(names.mating_file, "pedigreeparing");
  EXPECT_EQ(names.sire_list_file, "pedigreevader");
  EXPECT_EQ(names.dam_list_file, "pedigreemoeder");
  EXPECT_EQ(make_mating_file_names(pad_text("  data/herd.csv", 100)).mating_file, "data/herdparing");
  EXPECT_EQ(make_mating_file_names(pad_text("abc", 100)).sire_list_file, "vader");
  EXPECT_EQ(make_mating_file_names(std::string(100, 'a')).mating_file, std::string(96, 'a') + "paring");
}

TEST(WriteMatingFiles, EveryByteOfTheThreeFiles) {
  // Half sibs 4 and 5 (sire 1) and their son 6, F = 1/8; 3 has no birth year.
  animal_table animal = testing::table_of({{0, 0, 1, 2000}, {0, 0, 2, 2001}, {0, 0, 2, 0},
                                           {1, 2, 1, 2004}, {1, 3, 2, 2005}, {4, 5, 1, 2008}});
  const char* ids[] = {"NL-S1", "NL-D1", "NL-D2", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "NL-B", "NL-C"};
  const char* names[] = {"Sire One", "Dam One", "", "Half Brother", "Half Sister", "Inbred Son"};
  const int days[][2] = {{2, 1}, {15, 6}, {1, 1}, {31, 12}, {9, 3}, {28, 2}};
  for (int i = 1; i <= 6; ++i) {
    set_text(animal, animal[i].herdbook_nr, ids[i - 1]);
    set_text(animal, animal[i].name, names[i - 1]);
    animal[i].birth_day = days[i - 1][0];
    animal[i].birth_month = days[i - 1][1];
    animal[i].complete_generations = i >= 4 ? i / 3 : 0;
  }
  testing::set_tabular_inbreeding(animal);
  const std::vector<std::vector<double>> a = testing::tabular_relationships(animal);
  // Candidates 4, 5, 6 and 5 again: the first is named once, so its row is
  // found at the first position only; row means 2.125 / 4, 2.875 / 4, 3 / 4.
  const std::vector<std::int32_t> candidates{4, 5, 6, 5};
  std::vector<float> relationship;
  for (std::int32_t k : candidates)
    for (std::int32_t m : candidates) relationship.push_back(static_cast<float>(a[k][m]));

  const path dir = testing::make_scratch_folder("mating");
  testing::captured_channels<false> run;
  write_mating_files(run.ctx, make_text<100>((dir / "pedigree.txt").string()), 4, candidates, relationship, animal);
  auto line = [](const char* numbers, const char* id, const char* name, const char* rest) {
    return std::string(numbers) + pad_text(id, 20) + ";" + pad_text(name, 50) + ";" + rest + "\r\n";
  };
  EXPECT_EQ(testing::read_file_bytes(dir / "pedigreeparing"),
            line("       0;       0;", "NL-S1", "Sire One", "1;  2; 1;2000;   0; 0.000000;-1.000000") +
                line("       0;       0;", "NL-D1", "Dam One", "2; 15; 6;2001;   0; 0.000000;-1.000000") +
                line("       0;       0;", "NL-D2", "", "2;  1; 1;   0;   0; 0.000000;-1.000000") +
                line("       1;       2;", "ABCDEFGHIJKLMNOPQRST", "Half Brother", "1; 31;12;2004;   1; 0.000000; 0.531250") +
                line("       1;       3;", "NL-B", "Half Sister", "2;  9; 3;2005;   1; 0.000000; 0.718750") +
                line("       4;       5;", "NL-C", "Inbred Son", "1; 28; 2;2008;   2; 0.125000; 0.750000"));
  EXPECT_EQ(testing::read_file_bytes(dir / "pedigreevader"), "NL-S1               \r\nABCDEFGHIJKLMNOPQRST\r\nNL-C                \r\n");
  EXPECT_EQ(testing::read_file_bytes(dir / "pedigreemoeder"), "NL-D1               \r\nNL-D2               \r\nNL-B                \r\n");
  // Candidates 0 and 7 name no animal: every animal shows -1.
  write_mating_files(run.ctx, make_text<100>((dir / "x.csv").string()), 2, std::vector<std::int32_t>{0, 7},
                     std::vector<float>(4, 1.0f), animal);
  const std::vector<std::string> lines = testing::crlf_lines(testing::read_file_bytes(dir / "xparing"));
  EXPECT_EQ(lines.size(), 6u);
  for (const std::string& l : lines) EXPECT_TRUE(l.ends_with(";-1.000000")) << l;
  EXPECT_TRUE(run.console().empty());
  testing::remove_scratch_folder(dir);
}

}  // namespace
}  // namespace veldmarsh
