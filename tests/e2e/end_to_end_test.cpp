// End-to-end cases: each directory under tests/e2e/cases holds input/ (the
// steering file, the data file and whatever else the run needs), an optional
// stdin.txt, and expected/ with every file the run leaves: console.txt,
// stderr.txt, exit_status.txt, the log, the report and the renumbered
// pedigree file. The run uses the program built with a fixed clock (or the
// command in VELDMARSH_TEST_PROGRAM), in a scratch directory. With
// VELDMARSH_UPDATE_EXPECTED=1 the expected files are rewritten from the run
// (review them before keeping them).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/program_run.h"

namespace fs = std::filesystem;

namespace {

const fs::path cases_dir = fs::path(VELDMARSH_SOURCE_DIR) / "tests" / "e2e" / "cases";

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  if (!fs::exists(cases_dir)) return names;
  for (const auto& entry : fs::directory_iterator(cases_dir))
    if (entry.is_directory() && fs::exists(entry.path() / "input")) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Shows a byte string with CR, LF and bytes outside ASCII escaped.
std::string visible(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c < 32 || c > 126) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else out += static_cast<char>(c);
  }
  return out;
}

// The first line where two outputs differ, for the failure message.
std::string first_difference(const std::string& expected, const std::string& actual) {
  std::size_t line = 1, start = 0;
  for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
    if (expected[i] != actual[i]) break;
    if (expected[i] == '\n') {
      ++line;
      start = i + 1;
    }
  }
  auto line_at = [&](const std::string& s) {
    std::size_t end = s.find('\n', start);
    return visible(s.substr(start, end == std::string::npos ? std::string::npos : end - start + 1));
  };
  return "line " + std::to_string(line) + "\n  expected: " + line_at(expected) + "\n  actual:   " + line_at(actual);
}

// Runs one case and returns every output file by name.
std::map<std::string, std::string> run_case(const std::string& name) {
  fs::path case_dir = cases_dir / name;
  fs::path scratch = fs::temp_directory_path() / ("veldmarsh-e2e-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  std::map<std::string, std::string> inputs;
  for (const auto& entry : fs::directory_iterator(case_dir / "input")) {
    fs::copy(entry.path(), scratch / entry.path().filename());
    inputs[entry.path().filename()] = read_file(entry.path());
  }
  fs::path stdin_file = case_dir / "stdin.txt";
  std::string command = "cd '" + scratch.string() + "' && " + veldmarsh::testing::program_command() + " < " +
                        (fs::exists(stdin_file) ? "'" + stdin_file.string() + "'" : std::string("/dev/null")) +
                        " > console.txt 2> stderr.txt";
  int status = std::system(command.c_str());
  int exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  write_file(scratch / "exit_status.txt", std::to_string(exit_status) + "\n");

  std::map<std::string, std::string> outputs;
  for (const auto& entry : fs::directory_iterator(scratch)) {
    std::string file = entry.path().filename();
    std::string bytes = read_file(entry.path());
    auto input = inputs.find(file);
    if (input != inputs.end() && input->second == bytes) continue;  // an input left as it was
    outputs[file] = bytes;
  }
  fs::remove_all(scratch);
  return outputs;
}

class EndToEnd : public ::testing::TestWithParam<std::string> {};

TEST_P(EndToEnd, OutputsEqualExpectedFiles) {
  const std::string name = GetParam();
  fs::path expected_dir = cases_dir / name / "expected";
  std::map<std::string, std::string> outputs = run_case(name);

  const char* update = std::getenv("VELDMARSH_UPDATE_EXPECTED");
  if (update != nullptr && std::string(update) == "1") {
    fs::remove_all(expected_dir);
    fs::create_directories(expected_dir);
    for (const auto& [file, bytes] : outputs) write_file(expected_dir / file, bytes);
    GTEST_SKIP() << "expected files rewritten for " << name;
  }

  std::map<std::string, std::string> expected;
  if (fs::exists(expected_dir))
    for (const auto& entry : fs::directory_iterator(expected_dir))
      expected[entry.path().filename()] = read_file(entry.path());

  for (const auto& [file, bytes] : expected) {
    auto actual = outputs.find(file);
    if (actual == outputs.end()) {
      ADD_FAILURE() << name << ": the run did not write " << file;
      continue;
    }
    EXPECT_TRUE(actual->second == bytes) << name << "/" << file << " differs at "
                                         << first_difference(bytes, actual->second);
  }
  for (const auto& [file, bytes] : outputs)
    EXPECT_TRUE(expected.count(file)) << name << ": unexpected output file " << file << ":\n"
                                      << visible(bytes.substr(0, 400));
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, ::testing::ValuesIn(case_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param;
                           for (char& c : n)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EndToEnd);

}  // namespace
