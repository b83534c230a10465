// How a run ends early: the fatal stop for a missing input file, the stop
// without waiting (missing data column, pedigree loop), and the diagnostic
// for any other input or output failure, a table that cannot be allocated
// among them.
#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "common/free_format.h"
#include "common/run_context.h"

namespace veldmarsh {

// Exit statuses of the process.
constexpr int exit_completed = 0;
constexpr int exit_stopped = 1;     // a stop because of a failure of the input
constexpr int exit_diagnostic = 2;  // an input or output failure ended the run at once

// Makes `ctx` the run whose files a stop or a diagnostic flushes and closes.
void register_run(run_context& ctx);

// Flushes and closes every channel, gives the report file and the
// renumbered pedigree file their names (replacing those of the last run) and
// ends the process with `status`; with a renumbered file that was asked for
// and given up, or a console that could not be written, it ends instead with
// their diagnostics (status 2), the files having their names all the same.
[[noreturn]] void end_run(run_context& ctx, int status);

// Gives up a renumbered pedigree file that cannot be opened or written
// (`why`), named by its channel: the run goes on without it, and ends with
// its diagnostic once the report has its name. `reaches_given_file`: it
// was not opened because a name of it reaches a file the user gave.
void give_up_renumbered_file(run_context& ctx, const std::string& why, bool reaches_given_file = false);

// Writes the lines to the log, then the console lines to the console, waits
// for Enter (one line of standard input; its end counts as Enter) and stops.
[[noreturn]] void fatal_stop(run_context& ctx, const std::vector<std::vector<free_item>>& log_lines,
                             const std::vector<std::vector<free_item>>& console_lines);

// Called by fail_diagnostic with its message before anything else, when set.
// Fuzz targets and tests that feed arbitrary input set it to leave the
// routine by an exception of their own instead of ending the process.
extern void (*diagnostic_hook)(std::string_view message);

// Ends the run at once: to standard error what failed, the channel, the file
// and, for a line of an input file, its number (0: none). The report file
// and the renumbered pedigree file of the last run stay as they were.
[[noreturn]] void fail_diagnostic(run_context& ctx, std::string_view what, std::string_view channel,
                                  std::string_view file, std::int64_t line_number = 0);

// The diagnostic of memory that cannot be had: "cannot allocate " and
// `tables`, naming the data file.
[[noreturn]] void fail_allocation(run_context& ctx, std::string_view tables);

// Runs `allocate`, which sizes one or more tables that grow with the pedigree
// and returns false when one would hold more cells than any machine has
// room for; that, or memory running out on the way, ends the run with
// fail_allocation. Every such table is allocated through it, so that the
// diagnostic says which one failed; the main program ends the run the same
// way when any other allocation fails.
template <typename Allocate>
void allocate_tables(run_context& ctx, std::string_view tables, Allocate&& allocate) {
  bool allocated = false;
  try {
    allocated = allocate();
  } catch (const std::bad_alloc&) {
    allocated = false;
  }
  if (!allocated) fail_allocation(ctx, tables);
}

}  // namespace veldmarsh
