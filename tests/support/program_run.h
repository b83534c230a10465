// Runs the program built with a fixed clock in a scratch directory holding
// the given input files, and returns every file the run leaves besides the
// inputs (an input the run changed is returned too), with console.txt,
// stderr.txt and exit_status.txt.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace veldmarsh::testing {

inline std::string read_file_bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The command that starts the program: VELDMARSH_TEST_PROGRAM when set (a
// command prefix such as "wine /path/veldmarsh_fixed_clock.exe"), otherwise
// the fixed-clock build.
inline std::string program_command() {
  const char* program = std::getenv("VELDMARSH_TEST_PROGRAM");
  if (program != nullptr && *program != '\0') return program;
  return "'" + std::string(VELDMARSH_FIXED_CLOCK_BIN) + "'";
}

// `prepare`, when given, adds to the scratch directory what input files
// cannot hold (links); `limits`: shell commands run before the program (a
// memory limit, say).
inline std::map<std::string, std::string> run_program(
    const std::string& tag, const std::map<std::string, std::string>& inputs,
    const std::function<void(const std::filesystem::path& dir)>& prepare = nullptr, const std::string& limits = "") {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("veldmarsh-" + tag + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const auto& [name, bytes] : inputs) std::ofstream(dir / name, std::ios::binary) << bytes;
  if (prepare) prepare(dir);
  const std::string command = "cd '" + dir.string() + "' && " + limits + " " + program_command() +
                              " < /dev/null > console.txt 2> stderr.txt";
  const int status = std::system(command.c_str());
  const int exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::map<std::string, std::string> outputs{{"exit_status.txt", std::to_string(exit_status) + "\n"}};
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename();
    const std::string bytes = read_file_bytes(entry.path());
    const auto input = inputs.find(name);
    if (input == inputs.end() || input->second != bytes) outputs[name] = bytes;
  }
  fs::remove_all(dir);
  return outputs;
}

// The CR LF lines of `bytes`.
inline std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0, end;
  while ((end = bytes.find("\r\n", start)) != std::string::npos) {
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace veldmarsh::testing
