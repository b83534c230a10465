// The renumbered pedigree file: its name, an empty table with the Dutch log,
// and a file that cannot be opened.
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

// The lines of a table and the English log are checked end to end.
TEST(WriteRenumberedPedigree, DutchLogAndEmptyTable) {
  scratch_dir dir;
  captured_run run(false);
  set_text(run.ctx.cfg.data_file_name, dir.file("herd.csv"));
  write_renumbered_pedigree(run.ctx, animal_table{}, make_text<100>(dir.file("herd.out")));
  EXPECT_TRUE(fs::exists(dir.file("herd.new.part")));  // until the run ends
  EXPECT_TRUE(finish_output_file(run.ctx.pedigree));
  EXPECT_FALSE(fs::exists(dir.file("herd.new.part")));
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
