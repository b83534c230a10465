// The mating-candidate files: their names, every byte of the three files on
// a small pedigree (candidate relationships from the column routine, held
// against a tabular matrix), and candidates that name no animal.
#include "inbreeding/write_mating_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "../run/pedigree_test_support.h"
#include "inbreeding/calc_relationship_column.h"
#include "kinship_reference.h"
#include "support/program_run.h"

namespace veldmarsh {
namespace {

namespace fs = std::filesystem;
using testing_support::captured_run;

TEST(MakeMatingFileNames, BaseNameLessItsLastFourCharactersPlusSuffix) {
  mating_file_names names = make_mating_file_names(pad_text("pedigree.txt", 100));
  EXPECT_EQ(names.mating_file, "pedigreeparing");
  EXPECT_EQ(names.sire_list_file, "pedigreevader");
  EXPECT_EQ(names.dam_list_file, "pedigreemoeder");
  EXPECT_EQ(make_mating_file_names(pad_text("  data/herd.csv", 100)).mating_file, "data/herdparing");
  EXPECT_EQ(make_mating_file_names(pad_text("abc", 100)).sire_list_file, "vader");
  EXPECT_EQ(make_mating_file_names(std::string(100, ' ')).dam_list_file, "moeder");
  // A base name of the full 100 characters keeps its first 96.
  EXPECT_EQ(make_mating_file_names(std::string(100, 'a')).mating_file, std::string(96, 'a') + "paring");
}

struct scratch_dir {
  fs::path path = fs::temp_directory_path() / ("veldmarsh-mating-" + std::to_string(::getpid()));
  scratch_dir() { fs::create_directories(path); }
  ~scratch_dir() { fs::remove_all(path); }
};

std::string read_bytes(const fs::path& name) { return testing::read_file_bytes(name); }

animal_record record(animal_table& t, std::string_view id, std::string_view name, int sire, int dam, int sex, int day,
                     int month, int year) {
  animal_record r = new_animal_record();
  set_text(t, r.herdbook_nr, id);
  set_text(t, r.name, name);
  r.sire_nr = sire;
  r.dam_nr = dam;
  r.sex = sex;
  r.birth_day = day;
  r.birth_month = month;
  r.birth_year = year;
  return r;
}

TEST(WriteMatingFiles, EveryByteOfTheThreeFiles) {
  // Two half sibs (4 and 5, sharing sire 1) and their son 6 (F = 1/8).
  animal_table animal;
  testing_support::append_records(animal, {
                                              record(animal, "NL-S1", "Sire One", 0, 0, 1, 2, 1, 2000),
                                              record(animal, "NL-D1", "Dam One", 0, 0, 2, 15, 6, 2001),
                                              record(animal, "NL-D2", "", 0, 0, 2, 1, 1, 0),
                                              record(animal, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "Half Brother", 1, 2,
                                                     1, 31, 12, 2004),
                                              record(animal, "NL-B", "Half Sister", 1, 3, 2, 9, 3, 2005),
                                              record(animal, "NL-C", "Inbred Son", 4, 5, 1, 28, 2, 2008),
                                          });
  animal[4].complete_generations = 1;
  animal[5].complete_generations = 1;
  animal[6].complete_generations = 2;
  const std::vector<std::vector<double>> tabular = kinship_reference::tabular_relationships(animal);
  kinship_reference::tabular_inbreeding(animal);
  ASSERT_EQ(animal[6].inbreeding, 0.125f);

  // The candidate group, animal 4 named twice, and its relationships built
  // column by column as a caller would.
  const std::vector<std::int32_t> candidates{4, 5, 6, 4};
  const std::size_t n = candidates.size();
  std::vector<parent_numbers> ped(static_cast<std::size_t>(animal.size()) + 1, parent_numbers{0, 0});
  std::vector<double> f8(ped.size(), 0.0);
  for (std::int64_t i = 1; i <= animal.size(); ++i) {
    ped[static_cast<std::size_t>(i)] = {animal[i].sire_nr, animal[i].dam_nr};
    f8[static_cast<std::size_t>(i)] = animal[i].inbreeding;
  }
  std::vector<float> relationship(n * n);
  std::vector<double> column(ped.size(), 0.0);
  captured_run run;
  for (std::size_t m = 0; m < n; ++m) {
    calc_relationship_column(run.ctx.console, column, ped, static_cast<std::int32_t>(animal.size()),
                             candidates[m], f8);
    for (std::size_t k = 0; k < n; ++k) {
      relationship[k * n + m] = static_cast<float>(column[static_cast<std::size_t>(candidates[k])]);
      EXPECT_EQ(relationship[k * n + m],
                static_cast<float>(tabular[static_cast<std::size_t>(candidates[k])][static_cast<std::size_t>(candidates[m])]));
    }
  }
  // Rows: 4 with (4, 5, 6, 4): 1 + 0.25 + 0.625 + 1 = 2.875; 5: 2.125; 6: 3.0; over 4 candidates.

  scratch_dir dir;
  write_mating_files(run.ctx, make_text<100>((dir.path / "pedigree.txt").string()), static_cast<std::int32_t>(n),
                     candidates, relationship, animal);

  const std::string b20(20, ' ');
  auto name50 = [](std::string_view s) { return pad_text(s, 50); };
  EXPECT_EQ(read_bytes(dir.path / "pedigreeparing"),
            "       0;       0;NL-S1               ;" + name50("Sire One") + ";1;  2; 1;2000;   0; 0.000000;-1.000000\r\n"
            "       0;       0;NL-D1               ;" + name50("Dam One") + ";2; 15; 6;2001;   0; 0.000000;-1.000000\r\n"
            "       0;       0;NL-D2               ;" + name50("") + ";2;  1; 1;   0;   0; 0.000000;-1.000000\r\n"
            "       1;       2;ABCDEFGHIJKLMNOPQRST;" + name50("Half Brother") + ";1; 31;12;2004;   1; 0.000000; 0.718750\r\n"
            "       1;       3;NL-B                ;" + name50("Half Sister") + ";2;  9; 3;2005;   1; 0.000000; 0.531250\r\n"
            "       4;       5;NL-C                ;" + name50("Inbred Son") + ";1; 28; 2;2008;   2; 0.125000; 0.750000\r\n");
  EXPECT_EQ(read_bytes(dir.path / "pedigreevader"),
            "NL-S1               \r\nABCDEFGHIJKLMNOPQRST\r\nNL-C                \r\n");
  EXPECT_EQ(read_bytes(dir.path / "pedigreemoeder"), "NL-D1               \r\nNL-D2               \r\nNL-B                \r\n");
  EXPECT_EQ(run.console(), std::vector<std::string>{});
  EXPECT_EQ(run.log(), std::vector<std::string>{});
}

TEST(WriteMatingFiles, NoCandidatesOrNumbersOutsideTheTable) {
  animal_table animal;
  testing_support::append_records(animal, {record(animal, "A", "-", 0, 0, 2, 1, 1, 2010)});
  captured_run run;
  scratch_dir dir;
  const fixed_text<100> base = make_text<100>((dir.path / "x.csv").string());
  write_mating_files(run.ctx, base, 0, {}, {}, animal);
  const std::string line = "       0;       0;A                   ;" + pad_text("-", 50) + ";2;  1; 1;2010;   0; 0.000000;-1.000000\r\n";
  EXPECT_EQ(read_bytes(dir.path / "xparing"), line);
  EXPECT_EQ(read_bytes(dir.path / "xvader"), "");
  EXPECT_EQ(read_bytes(dir.path / "xmoeder"), "A                   \r\n");

  // Candidate numbers 0 and 2 name no animal of a table of one: still -1.
  const std::vector<std::int32_t> candidates{0, 2};
  const std::vector<float> ones(4, 1.0f);
  write_mating_files(run.ctx, base, 2, candidates, ones, animal);
  EXPECT_EQ(read_bytes(dir.path / "xparing"), line);
}

}  // namespace
}  // namespace veldmarsh
