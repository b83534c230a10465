// A run context for tests: its console, log, report and renumbered pedigree
// channels write to temporary files whose lines can be read back, and its
// clock is fixed at 5 December 2026, 10:17:58.123.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/run_context.h"

namespace veldmarsh::testing {

// The lines written to `channel` (without CR LF); with `empty_after` the
// file is emptied, so that the next reading gives only newer lines.
inline std::vector<std::string> channel_lines(output_channel& channel, std::FILE* file, bool empty_after) {
  flush_channel(channel);
  std::rewind(file);
  std::string all;
  int c;
  while ((c = std::fgetc(file)) != EOF) all += static_cast<char>(c);
  if (empty_after) {
    std::rewind(file);
    if (::ftruncate(::fileno(file), 0) != 0) all += "(truncate failed)";
  }
  std::vector<std::string> out;
  std::size_t start = 0, end;
  while ((end = all.find("\r\n", start)) != std::string::npos) {
    out.push_back(all.substr(start, end - start));
    start = end + 2;
  }
  if (start != all.size()) out.push_back("(no line end) " + all.substr(start));
  return out;
}

// `take_lines`: each reading of a channel returns the lines since the last one.
template <bool take_lines>
struct captured_channels {
  run_context ctx;
  std::FILE* console_file = std::tmpfile();
  std::FILE* log_file = std::tmpfile();
  std::FILE* report_file = std::tmpfile();
  std::FILE* pedigree_file = std::tmpfile();

  explicit captured_channels(bool english = true) {
    ctx.console.file = console_file;
    ctx.log.file = log_file;
    ctx.report.file = report_file;
    ctx.pedigree.file = pedigree_file;
    ctx.cfg.english = english;
    ctx.clock = [] { return clock_reading{"20261205", "101758.123"}; };
    read_clock(ctx);
  }
  ~captured_channels() {
    for (std::FILE* f : {console_file, log_file, report_file, pedigree_file}) std::fclose(f);
  }
  captured_channels(const captured_channels&) = delete;
  captured_channels& operator=(const captured_channels&) = delete;

  std::vector<std::string> console() { return channel_lines(ctx.console, console_file, take_lines); }
  std::vector<std::string> log() { return channel_lines(ctx.log, log_file, take_lines); }
  std::vector<std::string> report() { return channel_lines(ctx.report, report_file, take_lines); }
  std::vector<std::string> pedigree() { return channel_lines(ctx.pedigree, pedigree_file, take_lines); }
};

}  // namespace veldmarsh::testing
