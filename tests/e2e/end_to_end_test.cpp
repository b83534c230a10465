// End-to-end cases: each folder under tests/e2e/cases holds input/ (the
// steering file, the data file and whatever else the run needs), an optional
// stdin.txt, and expected/ with every file the run leaves: console.txt,
// stderr.txt, exit_status.txt, the log, the report and the renumbered
// pedigree file, each compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "support/program_run.h"

namespace veldmarsh::testing {
namespace {

const fs::path cases_dir = fs::path(VELDMARSH_SOURCE_DIR) / "tests" / "e2e" / "cases";

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(cases_dir))
    if (fs::exists(entry.path() / "input")) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class EndToEnd : public ::testing::TestWithParam<std::string> {};

TEST_P(EndToEnd, OutputsEqualExpectedFiles) {
  const fs::path dir = cases_dir / GetParam();
  const fs::path stdin_file = fs::exists(dir / "stdin.txt") ? dir / "stdin.txt" : fs::path();
  expect_expected_files(dir / "expected", run_program(GetParam(), {dir / "input", {}, stdin_file}));
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, ::testing::ValuesIn(case_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param;
                           for (char& c : n)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });

}  // namespace
}  // namespace veldmarsh::testing
