// End-to-end run with a birth year of 72000 animals, split into two parts by
// birth month. The data file is made by the test; the outputs are compared
// byte for byte with tests/e2e/generated/split_year/expected.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/program_run.h"

namespace veldmarsh::testing {
namespace {

// 30 sires and 300 dams born in 1999; 72000 young in 2000, 35000 of them in
// months 1 to 3, 5000 in month 4 (so that part 1 ends at 40000) and 32000
// in months 5 to 12; 60 young of those in 2001. Subpopulations by the dam.
std::string split_year_pedigree() {
  std::string out = "id;sire;dam;sex;birthdate;subpopulation\n";
  char line[128];
  for (int s = 1; s <= 30; ++s) {
    std::snprintf(line, sizeof line, "S%02d;;;M;01-01-1999;%s\n", s, s % 2 == 0 ? "NORTH" : "SOUTH");
    out += line;
  }
  for (int d = 1; d <= 300; ++d) {
    std::snprintf(line, sizeof line, "D%03d;;;F;01-02-1999;%s\n", d, d % 2 == 0 ? "NORTH" : "SOUTH");
    out += line;
  }
  for (int i = 0; i < 72000; ++i) {
    int litter = i / 6, sire = 1 + litter * 7 % 30, dam = 1 + litter % 300;
    int month = i < 35000 ? 1 + i % 3 : i < 40000 ? 4 : 5 + i % 8;
    std::snprintf(line, sizeof line, "Y%05d;S%02d;D%03d;%s;15-%02d-2000;%s\n", i + 1, sire, dam, i % 2 == 0 ? "M" : "F",
                  month, dam % 2 == 0 ? "NORTH" : "SOUTH");
    out += line;
  }
  for (int k = 0; k < 60; ++k) {
    int sire = 1 + 2 * (k * 37 % 36000), dam = 2 + 2 * (k * 53 % 36000);
    std::snprintf(line, sizeof line, "Z%02d;Y%05d;Y%05d;%s;10-06-2001;%s\n", k + 1, sire, dam, k % 2 == 0 ? "M" : "F",
                  k % 3 == 0 ? "NORTH" : "SOUTH");
    out += line;
  }
  return out;
}

TEST(SplitYearEndToEnd, OutputsEqualExpectedFiles) {
  const std::string steering = "Split year\nsplit.csv\n;\nn\ndd-mm-yyyy\ncattle\nM\nen\ny\n2\nNORTH\nSOUTH\n0\nn\n";
  const file_map outputs =
      run_program("split-year", {{}, {{"brindlemoor.ini", steering}, {"split.csv", split_year_pedigree()}}, {}});
  expect_expected_files(fs::path(VELDMARSH_SOURCE_DIR) / "tests" / "e2e" / "generated" / "split_year" / "expected",
                        outputs);
}

}  // namespace
}  // namespace veldmarsh::testing
