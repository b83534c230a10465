// The frame of a run: the lines that open it (the log with the start banner
// and start line, the banner on the console), the time stamp that closes a
// phase, and the lines that close the run.
#pragma once

#include "common/run_context.h"

namespace veldmarsh {

// Results too small for a normal single-precision number become zero, and
// such operands are read as zero, for the whole run.
void set_flush_to_zero_mode();

// Sets that mode, reads the clock (the start of the run) and writes the
// start banner to the log, the start line with the time just read, and the
// banner to the console. The log "Veldmarshlog.txt" holds its lines until
// the steering file has named the data file (open_held_log).
void start_run(run_context& ctx);

// Closes a phase: reads the clock and writes the time stamp of `english` or
// `dutch` to the log (the Dutch one with `dutch_connector`), then a log line
// of one blank.
void stamp_phase(run_context& ctx, const char* english, const char* dutch, const char* dutch_connector);

// The closing lines: "finished analysis for " and the title on the console,
// then the last time stamp in the log (no blank line after it).
void finish_run(run_context& ctx);

}  // namespace veldmarsh
