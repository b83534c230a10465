// Helpers for the tests of the report writers: a run context whose console
// and report lines can be read back, and the shapes of the common lines.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/run_context.h"

namespace veldmarsh::report_testing {

struct captured_report {
  run_context ctx;
  std::FILE* console_file = std::tmpfile();
  std::FILE* report_file = std::tmpfile();

  explicit captured_report(bool english = true) {
    ctx.console.file = console_file;
    ctx.report.file = report_file;
    ctx.cfg.english = english;
    ctx.clock = [] { return clock_reading{"20261205", "101758.123"}; };
  }
  ~captured_report() {
    std::fclose(console_file);
    std::fclose(report_file);
  }
  captured_report(const captured_report&) = delete;
  captured_report& operator=(const captured_report&) = delete;

  // The lines written so far (without CR LF); the channel is emptied.
  static std::vector<std::string> take(output_channel& channel, std::FILE* file) {
    flush_channel(channel);
    std::rewind(file);
    std::string all;
    int c;
    while ((c = std::fgetc(file)) != EOF) all += static_cast<char>(c);
    std::rewind(file);
    if (::ftruncate(::fileno(file), 0) != 0) all += "(truncate failed)";
    std::vector<std::string> out;
    std::size_t start = 0, end;
    while ((end = all.find("\r\n", start)) != std::string::npos) {
      out.push_back(all.substr(start, end - start));
      start = end + 2;
    }
    return out;
  }
  std::vector<std::string> console() { return take(ctx.console, console_file); }
  std::vector<std::string> report() { return take(ctx.report, report_file); }
};

// A free-format line of n underscores.
inline std::string rule(int n) { return " " + std::string(static_cast<std::size_t>(n), '_'); }

// The separator line that opens a table.
inline const std::string separator = std::string(12, ' ');

// `s` padded with blanks to n characters.
inline std::string pad(const std::string& s, std::size_t n) { return s + std::string(n - s.size(), ' '); }

}  // namespace veldmarsh::report_testing
