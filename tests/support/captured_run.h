// A run context for tests: its console, log, report and renumbered pedigree
// channels write to memory, whose lines can be read back, and its clock is
// fixed at 5 December 2026, 10:17:58.123.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/run_context.h"

namespace veldmarsh::testing {

// `take_lines`: each reading of a channel returns the lines since the last
// one; otherwise every reading returns all lines so far.
template <bool take_lines>
struct captured_channels {
  // A channel's bytes so far.
  struct memory {
    char* bytes = nullptr;
    std::size_t size = 0, read = 0;
    std::FILE* file = open_memstream(&bytes, &size);
  };
  run_context ctx;
  memory console_bytes, log_bytes, report_bytes, pedigree_bytes;

  explicit captured_channels(bool english = true) {
    ctx.console.file = console_bytes.file;
    ctx.log.file = log_bytes.file;
    ctx.report.file = report_bytes.file;
    ctx.pedigree.file = pedigree_bytes.file;
    ctx.cfg.english = english;
    ctx.clock = [] { return clock_reading{"20261205", "101758.123"}; };
    read_clock(ctx);
  }
  ~captured_channels() {
    for (memory* m : {&console_bytes, &log_bytes, &report_bytes, &pedigree_bytes}) {
      std::fclose(m->file);
      std::free(m->bytes);
    }
  }
  captured_channels(const captured_channels&) = delete;
  captured_channels& operator=(const captured_channels&) = delete;

  // The lines written to `channel` (without CR LF).
  static std::vector<std::string> lines(output_channel& channel, memory& m) {
    flush_channel(channel);
    const std::string all(m.bytes + (take_lines ? m.read : 0), m.size - (take_lines ? m.read : 0));
    m.read = m.size;
    std::vector<std::string> out;
    std::size_t start = 0, end;
    for (; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) out.push_back(all.substr(start, end - start));
    if (start != all.size()) out.push_back("(no line end) " + all.substr(start));
    return out;
  }
  std::vector<std::string> console() { return lines(ctx.console, console_bytes); }
  std::vector<std::string> log() { return lines(ctx.log, log_bytes); }
  std::vector<std::string> report() { return lines(ctx.report, report_bytes); }
  std::vector<std::string> pedigree() { return lines(ctx.pedigree, pedigree_bytes); }
};

}  // namespace veldmarsh::testing
