// No output file replaces the user's files, whatever name reaches them: a
// symbolic or a hard link (made here, since git keeps no hard links), or a
// name that differs only in case when the program is a Windows build, for
// which names ignore case. The report file then ends the run with a
// diagnostic; the renumbered pedigree file counts as one that cannot be opened
// (the run goes on without it and ends with a diagnostic).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/platform.h"
#include "support/program_run.h"

namespace fs = std::filesystem;
using veldmarsh::testing::run_program;

namespace {

const std::string pedigree = "id;sire;dam;sex;birthdate\r\nA;;;M;01-01-2020\r\nB;;;F;01-01-2020\r\nC;A;B;F;01-06-2022\r\n";

std::string steering_file(const std::string& data_name, bool renumbered) {
  return "Links\r\n" + data_name + "\r\n;\r\nn\r\ndd-mm-yyyy\r\ndog\r\nM\r\nen\r\ny\r\n0\r\n0\r\n" +
         (renumbered ? "y" : "n") + "\r\n";
}

std::string report_diagnostic(const std::string& reached, const std::string& report_name) {
  return "Veldmarsh: the report file would replace the " + reached + "; rename the data file (report file '" +
         report_name + "')\n";
}

enum class link_kind { symbolic, hard };

struct link_case {
  const char* name;
  link_kind kind;
  const char* target;  // the user's file the link reaches
  bool report;         // true: the report file's name; false: the renumbered pedigree file's
};

void PrintTo(const link_case& c, std::ostream* os) { *os << c.name; }

class OutputNameReachesInput : public ::testing::TestWithParam<link_case> {};

TEST_P(OutputNameReachesInput, LeavesTheFileAsItWas) {
  const link_case& c = GetParam();
  const std::string steering = steering_file("herd.csv", !c.report);
  const std::string link_name = c.report ? "herd.out" : "herd.new";
  auto outputs = run_program(c.name, {{}, {{"brindlemoor.ini", steering}, {"herd.csv", pedigree}}, {}, [&](const fs::path& dir) {
                                 if (c.kind == link_kind::symbolic)
                                   fs::create_symlink(c.target, dir / link_name);
                                 else
                                   fs::create_hard_link(dir / c.target, dir / link_name);
                               }});
  EXPECT_EQ(outputs.count("herd.csv"), 0u) << "the data file changed";
  EXPECT_EQ(outputs.count("brindlemoor.ini"), 0u) << "the steering file changed";
  EXPECT_EQ(outputs[link_name], std::string(c.target) == "herd.csv" ? pedigree : steering);
  const std::string reached = std::string(c.target) == "herd.csv" ? "data file" : "steering file";
  if (c.report) {
    EXPECT_EQ(outputs["exit_status.txt"], "2\n");
    EXPECT_EQ(outputs["stderr.txt"], report_diagnostic(reached, "herd.out"));
  } else {
    // The run goes on without it; the report takes its name, and the run
    // ends with a diagnostic.
    EXPECT_EQ(outputs["exit_status.txt"], "2\n");
    EXPECT_EQ(outputs["stderr.txt"], "Veldmarsh: the renumbered pedigree file would replace the " + reached +
                                         "; it was not written (renumbered pedigree file 'herd.new')\n");
    EXPECT_NE(outputs["Veldmarshlog.txt"].find(" ERROR cannot open the new pedfile\r\n herd.new "), std::string::npos);
    EXPECT_EQ(outputs["herd.out"].substr(0, 12), "           *");
  }
}

INSTANTIATE_TEST_SUITE_P(Links, OutputNameReachesInput,
                         ::testing::Values(link_case{"report_symlink_data", link_kind::symbolic, "herd.csv", true},
                                           link_case{"report_hardlink_data", link_kind::hard, "herd.csv", true},
                                           link_case{"report_symlink_steering", link_kind::symbolic, "brindlemoor.ini", true},
                                           link_case{"new_hardlink_data", link_kind::hard, "herd.csv", false},
                                           link_case{"new_symlink_steering", link_kind::symbolic, "brindlemoor.ini", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A data file "herd.OUT" gives the report name "herd.out": the same file
// where names ignore case (a Windows build), another file elsewhere.
TEST(OutputNameReachesInput, NameDifferingOnlyInCase) {
  auto outputs = run_program("case", {{}, {{"brindlemoor.ini", steering_file("herd.OUT", false)}, {"herd.OUT", pedigree}}, {}});
  EXPECT_EQ(outputs.count("herd.OUT"), 0u) << "the data file changed";
  if (veldmarsh::testing::program_command().find(".exe") != std::string::npos) {
    EXPECT_EQ(outputs["exit_status.txt"], "2\n");
    EXPECT_EQ(outputs["stderr.txt"], report_diagnostic("data file", "herd.out"));
    EXPECT_EQ(outputs.count("herd.out"), 0u);
  } else {
    EXPECT_EQ(outputs["exit_status.txt"], "0\n");
    EXPECT_EQ(outputs["herd.out"].substr(0, 12), "           *");
  }
}

TEST(SameFile, ComparesFilesNotContents) {
  const fs::path dir = veldmarsh::testing::make_scratch_folder("same-file");
  const std::string a = (dir / "a").string(), b = (dir / "b").string(), missing = (dir / "none").string();
  std::ofstream(a) << "same";
  std::ofstream(b) << "same";
  EXPECT_FALSE(veldmarsh::same_file(a, b));
  EXPECT_FALSE(veldmarsh::same_file(a, missing));
  EXPECT_TRUE(veldmarsh::same_file(missing, missing));
  EXPECT_TRUE(veldmarsh::same_file(a, (dir / "." / "a").string()));
  veldmarsh::testing::remove_scratch_folder(dir);
}

}  // namespace
