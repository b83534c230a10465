// A table that cannot be allocated ends the run with a diagnostic that
// names the table and the data file, whether it would outgrow any machine
// or memory runs out on the way (whole runs out of memory: hostile_runs_test).
#include "common/stops.h"

#include <gtest/gtest.h>

#include <string>

#include "support/captured_run.h"

namespace veldmarsh {
namespace {

std::string last_diagnostic;
struct diagnostic_raised {};
void catch_diagnostic(std::string_view message) {
  last_diagnostic = message;
  throw diagnostic_raised{};
}

TEST(AllocateTables, TooLargeOrOutOfMemoryNamesTheTableAndTheDataFile) {
  testing::captured_channels<true> run;
  set_text(run.ctx.cfg.data_file_name, "herd.csv");
  diagnostic_hook = catch_diagnostic;
  EXPECT_THROW(allocate_tables(run.ctx, "the test table", [] { return false; }), diagnostic_raised);
  EXPECT_EQ(last_diagnostic, "Veldmarsh: cannot allocate the test table (data file 'herd.csv')\n");
  EXPECT_THROW(allocate_tables(run.ctx, "the other table", []() -> bool { throw std::bad_alloc(); }),
               diagnostic_raised);
  EXPECT_EQ(last_diagnostic, "Veldmarsh: cannot allocate the other table (data file 'herd.csv')\n");
  bool allocated = false;
  allocate_tables(run.ctx, "a small table", [&] { return allocated = true; });
  EXPECT_TRUE(allocated);
  diagnostic_hook = nullptr;
}

}  // namespace
}  // namespace veldmarsh
