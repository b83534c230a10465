// The renumbered pedigree file: its name, an empty table with the Dutch log,
// and a file that cannot be opened.
#include "run/write_renumbered_pedigree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/fixed_format.h"
#include "pedigree_test_support.h"

namespace veldmarsh {
namespace {

namespace fs = std::filesystem;
using testing_support::captured_run;

TEST(RenumberedPedigreeName, LastThreeCharactersBecomeNew) {
  const std::pair<std::string, std::string> cases[] = {{"herd.out", "herd.new"},    {"data/x.out", "data/x.new"},
                                                       {"ab", "new"},                {"", "new"},
                                                       {std::string(100, 'a'), std::string(97, 'a') + "new"}};
  for (const auto& [report, expected] : cases) EXPECT_EQ(renumbered_pedigree_name(pad_text(report, 100)), expected);
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

// The line laid out field by field against the format engine, on records
// at the edges: unknown and huge numbers, negative and overflowing fields,
// the signs of zero, a full and a blank name.
TEST(RenumberedPedigreeLine, EqualsTheFormatEngine) {
  animal_table t;
  std::vector<animal_record> records;
  for (int k = 0; k < 4; ++k) records.push_back(testing_support::data_record(t, "R" + std::to_string(k)));
  records[1].sire_nr = 1;
  records[1].inbreeding = -0.0f;
  records[1].birth_year = 12345;
  records[1].birth_day = -5;
  records[1].dam_age_days = -1;
  records[1].sire_age_days = 999999;
  records[1].equiv_generations = 999.996f;
  set_text(t, records[1].name, std::string(60, 'n'));
  records[2].inbreeding = -0.00001f;
  records[2].n_offspring_counted = -100000;
  records[2].complete_generations = 1000;
  set_text(t, records[2].name, "");
  records[3].inbreeding = 0.99995f;
  records[3].equiv_generations = 0.005f;
  records[3].birth_month = 12;
  set_text(t, records[3].herdbook_nr, std::string(50, 'h'));
  testing_support::append_records(t, records);
  t[4].nr = 2147483647;
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

// The lines of a table and the English log are checked end to end.
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
    write_renumbered_pedigree(run.ctx, animal_table{}, make_text<100>(dir.file("no-such-dir/herd.out")));
    std::vector<std::string> log = run.log();
    ASSERT_EQ(log.size(), english ? 4u : 5u);
    EXPECT_EQ(log[0], " ERROR cannot open the new pedfile");
    EXPECT_EQ(log[3], "  ");
    EXPECT_EQ(log.back(), "  ");
    EXPECT_EQ(run.ctx.pedigree.file, nullptr);
  }
}

}  // namespace
}  // namespace veldmarsh
