// Stops and diagnostics. Every stop flushes and closes all output files.
#include "common/stops.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace veldmarsh {

void (*diagnostic_hook)(std::string_view message) = nullptr;

namespace {
run_context* current_run = nullptr;

// A write that failed on a channel ends the run with a diagnostic.
bool flush_all(run_context& ctx, output_channel*& failed) {
  failed = nullptr;
  for (output_channel* c : {&ctx.console, &ctx.log, &ctx.report, &ctx.pedigree})
    if (!close_channel(*c) && failed == nullptr) failed = c;
  return failed == nullptr;
}
}  // namespace

void register_run(run_context& ctx) {
  current_run = &ctx;
  write_failure_handler = [](output_channel& channel) {
    if (current_run != nullptr)
      fail_diagnostic(*current_run, "write failed", channel.label, channel.file_name);
  };
}

void end_run(run_context& ctx, int status) {
  output_channel* failed = nullptr;
  if (!flush_all(ctx, failed)) {
    std::fprintf(stderr, "Veldmarsh: write failed on the %s (%s)\n", failed->label, failed->file_name.c_str());
    std::fflush(stderr);
    std::exit(exit_diagnostic);
  }
  std::fflush(stdout);
  std::exit(status);
}

void fatal_stop(run_context& ctx, const std::vector<std::vector<free_item>>& log_lines,
                const std::vector<std::vector<free_item>>& console_lines) {
  for (const auto& l : log_lines) write_free_line(ctx.log, l);
  for (const auto& l : console_lines) write_free_line(ctx.console, l);
  flush_channel(ctx.log);
  flush_channel(ctx.console);
  if (ctx.keyboard != nullptr) {
    int ch;
    while ((ch = std::fgetc(ctx.keyboard)) != EOF && ch != '\n') {
    }
  }
  end_run(ctx, exit_stopped);
}

void fail_diagnostic(run_context& ctx, std::string_view what, std::string_view channel, std::string_view file,
                     std::int64_t line_number) {
  std::string message = "Veldmarsh: " + std::string(what) + " (" + std::string(channel) + " '" +
                        std::string(file) + "'";
  if (line_number > 0) message += ", line " + std::to_string(line_number);
  message += ")\n";
  if (diagnostic_hook != nullptr) diagnostic_hook(message);
  output_channel* failed = nullptr;
  flush_all(ctx, failed);
  std::fputs(message.c_str(), stderr);
  std::fflush(stderr);
  std::exit(exit_diagnostic);
}

void fail_allocation(run_context& ctx, std::string_view tables) {
  fail_diagnostic(ctx, "cannot allocate " + std::string(tables), "data file",
                  trim_right(ctx.cfg.data_file_name.view()));
}

}  // namespace veldmarsh
