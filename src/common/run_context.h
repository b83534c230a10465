// What every routine of a run may reach: the output channels, the keyboard,
// the clock, the settings and the files the user gave. The program builds
// one with the real console and clock; tests build one with a fixed clock.
#pragma once

#include <cstdio>
#include <vector>

#include "common/clock.h"
#include "common/output_channel.h"
#include "common/platform.h"
#include "common/settings.h"

namespace veldmarsh {

// A file the user gave (the steering file, the data file) as the run
// opened it: no output may ever reach it.
struct given_file {
  const char* what;  // "steering file" or "data file"
  file_identity id;
};

struct run_context {
  output_channel console{"console", "standard output"};
  output_channel log{"log file"};
  output_channel report{"report file"};
  output_channel pedigree{"renumbered pedigree file"};
  std::FILE* keyboard = stdin;                    // read once, to wait for Enter
  clock_reading (*clock)() = read_local_clock;    // the local clock
  clock_reading now;                              // `run_date` and `run_time`: the last reading
  settings cfg;
  std::vector<given_file> given_files;  // as opened, the steering file first
};

}  // namespace veldmarsh
