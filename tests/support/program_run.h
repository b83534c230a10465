// The one program runner of the tests: runs the program in a fresh scratch
// folder of the build tree and holds what it leaves against expected files.
// The program is the build with a fixed clock, or the command prefix in
// VELDMARSH_TEST_PROGRAM when that is set (for example
// "wine build/windows/veldmarsh_fixed_clock.exe").
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace veldmarsh::testing {

namespace fs = std::filesystem;
using file_map = std::map<std::string, std::string>;  // file name -> bytes

inline std::string read_file_bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_file_bytes(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

// The files a test's program run reads from a folder (sub-folders included),
// plus files made by the test, plus standard input (none: empty).
struct program_inputs {
  fs::path folder;
  file_map files;
  fs::path stdin_file;
  std::function<void(const fs::path& dir)> prepare;  // adds what files cannot hold (links)
  std::string limits;                                 // shell commands before the program (a memory limit)
};

// A fresh scratch folder of the build tree for one test, and its removal.
inline fs::path make_scratch_folder(const std::string& tag) {
  const fs::path dir = fs::path(VELDMARSH_BINARY_DIR) / "test-scratch" / (tag + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

inline void remove_scratch_folder(const fs::path& dir) { fs::remove_all(dir); }

// The command that starts the program: VELDMARSH_TEST_PROGRAM when set,
// otherwise the fixed-clock build.
inline std::string program_command() {
  const char* program = std::getenv("VELDMARSH_TEST_PROGRAM");
  if (program != nullptr && *program != '\0') return program;
  return "'" + std::string(VELDMARSH_FIXED_CLOCK_BIN) + "'";
}

constexpr int run_time_limit = 120;  // seconds; a run takes well under one

inline std::string shell_quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs the program once in a scratch folder named after `tag` and returns
// every file of the folder (and its sub-folders, as "folder/name") that the
// run wrote or changed, with console.txt, stderr.txt and exit_status.txt.
inline file_map run_program(const std::string& tag, const program_inputs& in) {
  const fs::path dir = make_scratch_folder(tag);
  file_map given = in.files;
  if (!in.folder.empty()) {
    fs::copy(in.folder, dir, fs::copy_options::recursive);
    for (const auto& entry : fs::recursive_directory_iterator(in.folder))
      if (entry.is_regular_file())
        given[entry.path().lexically_relative(in.folder).generic_string()] = read_file_bytes(entry.path());
  }
  for (const auto& [name, bytes] : in.files) {
    fs::create_directories((dir / name).parent_path());
    write_file_bytes(dir / name, bytes);
  }
  if (in.prepare) in.prepare(dir);
  const std::string run =
      "cd '" + dir.string() + "' && " + in.limits + " " + program_command() + " < '" + (in.stdin_file.empty() ? std::string("/dev/null") : fs::absolute(in.stdin_file).string()) +
      "' > console.txt 2> stderr.txt";
  // A run that does not end (or a helper process of the test that waits
  // for it) fails the test instead of holding up the whole suite.
  const int status = std::system(("timeout -k 10 " + std::to_string(run_time_limit) + " sh -c " + shell_quoted(run)).c_str());
  const int exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (exit_status == 124)
    ADD_FAILURE() << tag << ": the run did not end within " << run_time_limit << " s";
  file_map outputs{{"exit_status.txt", std::to_string(exit_status) + "\n"}};
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    std::error_code not_a_file;  // a link that leads round a loop is no file
    if (!entry.is_regular_file(not_a_file)) continue;
    const std::string name = entry.path().lexically_relative(dir).generic_string();
    std::string bytes = read_file_bytes(entry.path());
    auto input = given.find(name);
    if (input == given.end() || input->second != bytes) outputs[name] = std::move(bytes);
  }
  remove_scratch_folder(dir);
  return outputs;
}

// Bytes with CR, LF and bytes outside printable ASCII escaped.
inline std::string visible(std::string_view s) {
  std::string out;
  for (unsigned char c : s) {
    char buf[8];
    std::snprintf(buf, sizeof buf, c == '\r' ? "\\r" : c == '\n' ? "\\n" : c < 32 || c > 126 ? "\\x%02X" : "%c", c);
    out += buf;
  }
  return out;
}

// Where two byte strings first differ: the line number and both lines.
inline std::string first_difference(const std::string& expected, const std::string& actual) {
  std::size_t i = 0, start = 0, line = 1;
  for (; i < std::min(expected.size(), actual.size()) && expected[i] == actual[i]; ++i)
    if (expected[i] == '\n') start = i + 1, ++line;
  auto line_of = [&](const std::string& s) { return visible(s.substr(start, s.find('\n', start) + 1 - start)); };
  return "line " + std::to_string(line) + "\n  expected: " + line_of(expected) + "\n  actual:   " + line_of(actual);
}

// Holds the outputs of a run against the files of `expected_dir`, byte for
// byte, both ways. With VELDMARSH_UPDATE_EXPECTED=1 a folder that differs is
// rewritten from the run, and the test fails all the same: an update run
// lists every case it changed, to be reviewed before it is kept.
inline void expect_expected_files(const fs::path& expected_dir, const file_map& outputs) {
  file_map expected;
  if (fs::exists(expected_dir))
    for (const auto& entry : fs::directory_iterator(expected_dir))
      expected[entry.path().filename()] = read_file_bytes(entry.path());
  const char* update = std::getenv("VELDMARSH_UPDATE_EXPECTED");
  if (update != nullptr && std::string(update) == "1") {
    if (expected == outputs) return;
    fs::remove_all(expected_dir);
    fs::create_directories(expected_dir);
    for (const auto& [file, bytes] : outputs) write_file_bytes(expected_dir / file, bytes);
    ADD_FAILURE() << "expected files rewritten: " << expected_dir.string();
    return;
  }
  for (const auto& [file, bytes] : expected) {
    auto actual = outputs.find(file);
    if (actual == outputs.end())
      ADD_FAILURE() << "the run did not write " << file;
    else
      EXPECT_TRUE(actual->second == bytes) << file << " differs at " << first_difference(bytes, actual->second);
  }
  for (const auto& [file, bytes] : outputs)
    EXPECT_TRUE(expected.count(file)) << "unexpected output file " << file << ":\n" << visible(bytes.substr(0, 400));
}

// The CR LF lines of `bytes`.
inline std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  return lines;
}

}  // namespace veldmarsh::testing
