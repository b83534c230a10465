// Runs the program built with a fixed clock in a scratch directory holding
// the given input files, and returns every file the run leaves besides the
// inputs, with console.txt, stderr.txt and exit_status.txt.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// `limits`: shell commands run before the program (a memory limit, say).
inline std::map<std::string, std::string> run_program(const std::string& tag,
                                                      const std::map<std::string, std::string>& inputs,
                                                      const std::string& limits = "") {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("veldmarsh-" + tag + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const auto& [name, bytes] : inputs) std::ofstream(dir / name, std::ios::binary) << bytes;
  const std::string command = "cd '" + dir.string() + "' && " + limits + " '" + VELDMARSH_FIXED_CLOCK_BIN +
                              "' < /dev/null > console.txt 2> stderr.txt";
  const int status = std::system(command.c_str());
  const int exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::map<std::string, std::string> outputs{{"exit_status.txt", std::to_string(exit_status) + "\n"}};
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename();
    if (inputs.count(name) == 0) outputs[name] = read_file_bytes(entry.path());
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
