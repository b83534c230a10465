// The renumbered pedigree file: its name, the 175 columns of every line, the
// log lines in both languages, and files that cannot or must not be opened.
#include "run/write_renumbered_pedigree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "pedigree_test_support.h"

namespace veldmarsh {
namespace {

namespace fs = std::filesystem;
using testing_support::captured_run;

TEST(RenumberedPedigreeName, LastThreeCharactersBecomeNew) {
  EXPECT_EQ(renumbered_pedigree_name(pad_text("herd.out", 100)), "herd.new");
  EXPECT_EQ(renumbered_pedigree_name(pad_text("pedigree.out", 100)), "pedigree.new");
  EXPECT_EQ(renumbered_pedigree_name(pad_text("data/x.out", 100)), "data/x.new");
  EXPECT_EQ(renumbered_pedigree_name(pad_text("ab", 100)), "new");
  EXPECT_EQ(renumbered_pedigree_name(std::string(100, ' ')), "new");
  EXPECT_EQ(renumbered_pedigree_name(std::string(100, 'a')), std::string(97, 'a') + "new");
}

// A scratch directory for the files of one test.
struct scratch_dir {
  fs::path path = fs::temp_directory_path() / ("veldmarsh-renumbered-" + std::to_string(::getpid()));
  scratch_dir() { fs::create_directories(path); }
  ~scratch_dir() { fs::remove_all(path); }
  std::string file(const std::string& name) const { return (path / name).string(); }
};

std::string read_bytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

animal_table example_table() {
  animal_table t;
  t.rows.push_back(new_animal_record());
  animal_record sire = new_animal_record();  // appended for a missing sire: blank name
  set_text(sire.herdbook_nr, "NL-0001");
  set_text(sire.name, "");
  sire.sex = 1;
  sire.sire_age_days = sire.dam_age_days = -1;
  t.rows.push_back(sire);
  animal_record dam = new_animal_record();  // read without a name column: "-"
  set_text(dam.herdbook_nr, "NL-0002");
  dam.birth_year = 1998;
  dam.birth_month = 11;
  dam.birth_day = 23;
  dam.sire_age_days = dam.dam_age_days = -1;
  dam.n_offspring_counted = 1;
  t.rows.push_back(dam);
  animal_record young = new_animal_record();
  set_text(young.herdbook_nr, "NL-0003");
  set_text(young.name, "Saar van de Heide");
  young.sire_nr = 1;
  young.dam_nr = 2;
  young.sex = 1;
  young.birth_year = 2001;
  young.birth_month = 3;
  young.birth_day = 5;
  young.dam_age_days = 832;
  young.sire_age_days = -1;
  young.inbreeding = 0.125f;
  young.equiv_generations = 1.0f;
  young.complete_generations = 1;
  t.rows.push_back(young);
  for (std::int64_t i = 1; i <= t.size(); ++i) t[i].nr = static_cast<std::int32_t>(i);
  return t;
}

TEST(WriteRenumberedPedigree, LinesAndEnglishLog) {
  scratch_dir dir;
  captured_run run;
  set_text(run.ctx.cfg.data_file_name, dir.file("herd.csv"));
  write_renumbered_pedigree(run.ctx, example_table(), make_text<100>(dir.file("herd.out")));
  close_channel(run.ctx.pedigree);

  std::string expected =
      "        1        0        0 0.0000    0/ 1/ 1 1    -1    -1     0  0.00  0 NL-0001" + std::string(43, ' ') +
      std::string(50, ' ') + "\r\n" +
      "        2        0        0 0.0000 1998/11/23 2    -1    -1     1  0.00  0 NL-0002" + std::string(43, ' ') +
      "-" + std::string(49, ' ') + "\r\n" +
      "        3        1        2 0.1250 2001/ 3/ 5 1   832    -1     0  1.00  1 NL-0003" + std::string(43, ' ') +
      "Saar van de Heide" + std::string(33, ' ') + "\r\n";
  std::string written = read_bytes(dir.file("herd.new"));
  EXPECT_EQ(written, expected);
  EXPECT_EQ(written.find("\r\n"), 175u);
  EXPECT_EQ(written.substr(175 + 2 + 175 + 2 + 35, 12), "2001/ 3/ 5 1");  // columns 36-47

  std::string name = dir.file("herd.new");
  std::vector<std::string> log = run.log();
  // The 100-character name goes to a line of its own and wraps after 79.
  std::string padded = pad_text(name, 100);
  std::vector<std::string> want = {" opened the new pedfile", " " + padded.substr(0, 79), " " + padded.substr(79),
                                   " Renumbered pedigree and inbreeding coefficients written to ",
                                   " " + padded.substr(0, 79), " " + padded.substr(79), "  "};
  EXPECT_EQ(log, want);
  EXPECT_TRUE(run.console().empty());
}

TEST(WriteRenumberedPedigree, DutchLogAndEmptyTable) {
  scratch_dir dir;
  captured_run run(false);
  set_text(run.ctx.cfg.data_file_name, dir.file("herd.csv"));
  write_renumbered_pedigree(run.ctx, animal_table{}, make_text<100>(dir.file("herd.out")));
  close_channel(run.ctx.pedigree);
  EXPECT_TRUE(fs::exists(dir.file("herd.new")));
  EXPECT_EQ(read_bytes(dir.file("herd.new")), "");
  std::vector<std::string> log = run.log();
  ASSERT_EQ(log.size(), 8u);
  EXPECT_EQ(log[0], " opened the new pedfile");  // English in both languages
  EXPECT_EQ(log[3], " Hernummerde stamboom and en inteeltcoefficienten geschreven naar ");
  EXPECT_EQ(log[6], "  ");
  EXPECT_EQ(log[7], "  ");
}

TEST(WriteRenumberedPedigree, FileThatCannotBeOpened) {
  scratch_dir dir;
  for (bool english : {true, false}) {
    captured_run run(english);
    set_text(run.ctx.cfg.data_file_name, dir.file("herd.csv"));
    write_renumbered_pedigree(run.ctx, example_table(), make_text<100>(dir.file("no-such-dir/herd.out")));
    std::vector<std::string> log = run.log();
    ASSERT_EQ(log.size(), english ? 4u : 5u);
    EXPECT_EQ(log[0], " ERROR cannot open the new pedfile");
    EXPECT_EQ(log[3], "  ");
    EXPECT_EQ(log.back(), "  ");
    EXPECT_EQ(run.ctx.pedigree.file, nullptr);
  }
}

TEST(WriteRenumberedPedigree, NeverReplacesTheDataFile) {
  scratch_dir dir;
  std::string data = dir.file("herd.new");
  { std::ofstream(data, std::ios::binary) << "id;sire;dam\n"; }
  captured_run run;
  set_text(run.ctx.cfg.data_file_name, data);
  write_renumbered_pedigree(run.ctx, example_table(), make_text<100>(dir.file("herd.out")));
  close_channel(run.ctx.pedigree);
  EXPECT_EQ(read_bytes(data), "id;sire;dam\n");
  EXPECT_EQ(run.log()[0], " ERROR cannot open the new pedfile");
}

}  // namespace
}  // namespace veldmarsh
