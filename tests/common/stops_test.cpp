// A table that cannot be allocated ends the run with a diagnostic that
// names the table and the data file, whether it would outgrow any machine
// or memory runs out on the way.
#include "common/stops.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/captured_run.h"
#include "support/program_run.h"

#if defined(__SANITIZE_ADDRESS__)
constexpr bool address_sanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool address_sanitizer = true;
#else
constexpr bool address_sanitizer = false;
#endif
#else
constexpr bool address_sanitizer = false;
#endif

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

// Two birth years 10^8 years apart: the first table with a row per year
// does not fit in the memory the run is given.
TEST(AllocateTables, ARunOutOfMemoryEndsWithTheDiagnosticOfItsTable) {
  if (address_sanitizer) GTEST_SKIP() << "the address sanitizer cannot start under a memory limit";
  if (std::getenv("VELDMARSH_TEST_PROGRAM") != nullptr) GTEST_SKIP() << "the memory limit is set for the native program";
  const std::string steering = "Memory\r\nped.csv\r\n;\r\nn\r\ndd-mm-yyyy\r\ndog\r\nM\r\nen\r\ny\r\n0\r\n0\r\nn\r\n";
  const std::string data = "id;sire;dam;sex;birthdate\r\nA;0;0;M;01-01-0001\r\nB;0;0;F;01-01-100000000\r\n";
  auto out = testing::run_program("memory", {{}, {{"brindlemoor.ini", steering}, {"ped.csv", data}}, {}, nullptr, "ulimit -v 200000;"});
  EXPECT_EQ(out["stderr.txt"],
            "Veldmarsh: cannot allocate the table of animals by birth year (birth years 100000000) (data file 'ped.csv')\n");
  EXPECT_EQ(out["exit_status.txt"], "2\n");
}

}  // namespace
}  // namespace veldmarsh
