// The report and the renumbered file taking their names as a pair, when
// this run's report is no longer under its temporary name (its folder was
// moved or renamed while the run worked): the diagnostic says where this
// run's files are and are not, never a name that holds none of them, and
// the last run's pair stays.
#include "common/output_pair.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/program_run.h"

namespace veldmarsh {
namespace {

namespace fs = std::filesystem;
using testing::read_file_bytes;
using testing::write_file_bytes;

TEST(FinishOutputPair, ReportGoneFromItsTemporaryName) {
  const fs::path dir = testing::make_scratch_folder("output-pair");
  const std::string report_name = (dir / "x.out").string(), pedigree_name = (dir / "x.new").string();
  write_file_bytes(report_name, "the last run's report\r\n");
  write_file_bytes(pedigree_name, "the last run's pedigree\r\n");
  write_file_bytes(pedigree_name + ".part", "this run's pedigree\r\n");
  output_channel report{"report file"}, pedigree{"renumbered pedigree file"};
  report.file_name = report_name;
  report.temporary_name = report_name + ".part";  // not there
  pedigree.file_name = pedigree_name;
  pedigree.temporary_name = pedigree_name + ".part";

  const naming_failure failure = finish_output_pair(report, pedigree);
  ASSERT_EQ(failure.channel, &report);
  EXPECT_EQ(failure.what, "cannot give the report file its name; this run's file stays as '" + pedigree_name +
                              ".part'; '" + report_name + ".part' is no longer there; the last run's are as they were");
  EXPECT_EQ(read_file_bytes(report_name), "the last run's report\r\n");
  EXPECT_EQ(read_file_bytes(pedigree_name), "the last run's pedigree\r\n");
  EXPECT_EQ(read_file_bytes(pedigree_name + ".part"), "this run's pedigree\r\n");
  for (const char* left : {"x.out.last.part", "x.new.last.part", "x.out.pair.part"})
    EXPECT_FALSE(fs::exists(dir / left)) << left;
  testing::remove_scratch_folder(dir);
}

}  // namespace
}  // namespace veldmarsh
