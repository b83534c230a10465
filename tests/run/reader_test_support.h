// Helpers for the tests of reading the pedigree: a run context whose console
// and log lines can be read back, with a fixed clock.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/run_context.h"

namespace veldmarsh::reader_testing {

struct captured_lines {
  run_context ctx;
  std::FILE* console_file = std::tmpfile();
  std::FILE* log_file = std::tmpfile();

  explicit captured_lines(bool english = true) {
    ctx.console.file = console_file;
    ctx.log.file = log_file;
    ctx.cfg.english = english;
    ctx.clock = [] { return clock_reading{"20261205", "101758.123"}; };
  }
  ~captured_lines() {
    std::fclose(console_file);
    std::fclose(log_file);
  }
  captured_lines(const captured_lines&) = delete;
  captured_lines& operator=(const captured_lines&) = delete;

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
  std::vector<std::string> log() { return take(ctx.log, log_file); }
};

}  // namespace veldmarsh::reader_testing
