// Stops and diagnostics. Every stop flushes and closes all output files; a
// stop of the run gives the report file and the renumbered pedigree file
// their names, a diagnostic leaves those of the last run.
#include "common/stops.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/run_files.h"

namespace veldmarsh {

void (*diagnostic_hook)(std::string_view message) = nullptr;

namespace {
run_context* current_run = nullptr;

// What failed, the channel, the file and, for a line of an input file, its
// number: the one form of every diagnostic.
std::string diagnostic_text(std::string_view what, std::string_view channel, std::string_view file,
                            std::int64_t line_number) {
  std::string message = "Veldmarsh: " + std::string(what) + " (" + std::string(channel) + " '" +
                        std::string(file) + "'";
  if (line_number > 0) message += ", line " + std::to_string(line_number);
  return message + ")\n";
}

// Ends the run with `message` on standard error: the console and the log
// keep the lines they got, the report file and the renumbered pedigree file
// of the last run stay as they were.
[[noreturn]] void end_with_diagnostic(run_context& ctx, const std::string& message) {
  if (diagnostic_hook != nullptr) diagnostic_hook(message);
  open_held_log(ctx);
  close_channel(ctx.console);
  close_channel(ctx.log);
  abandon_output_file(ctx.report);
  abandon_output_file(ctx.pedigree);
  std::fwrite(message.data(), 1, message.size(), stderr);  // whole, also past a NUL byte
  std::fflush(stderr);
  std::exit(exit_diagnostic);
}
}  // namespace

void register_run(run_context& ctx) {
  current_run = &ctx;
  write_failure_handler = [](output_channel& channel) {
    if (current_run == nullptr) return;
    // A console that can no longer be written (its reader gone, a full
    // device) is left alone: the run goes on and its files are finished.
    if (&channel == &current_run->console) {
      lose_channel(channel);
      return;
    }
    fail_diagnostic(*current_run, "write failed", channel.label, channel.file_name);
  };
}

void end_run(run_context& ctx, int status) {
  open_held_log(ctx);
  if (!close_channel(ctx.console)) lose_channel(ctx.console);
  for (output_channel* c : {&ctx.log, &ctx.report, &ctx.pedigree})
    if (!close_channel(*c)) end_with_diagnostic(ctx, diagnostic_text("write failed", c->label, c->file_name, 0));
  if (const naming_failure failure = finish_output_pair(ctx.report, ctx.pedigree); failure.channel != nullptr)
    end_with_diagnostic(ctx, diagnostic_text(failure.what, failure.channel->label, failure.channel->file_name, 0));
  // The files have their names; a lost console still fails the run.
  if (ctx.console.lost)
    end_with_diagnostic(ctx, diagnostic_text("write failed", ctx.console.label, ctx.console.file_name, 0));
  std::fflush(stdout);
  std::exit(status);
}

void fatal_stop(run_context& ctx, const std::vector<std::vector<free_item>>& log_lines,
                const std::vector<std::vector<free_item>>& console_lines) {
  for (const auto& l : log_lines) write_free_line(ctx.log, l);
  for (const auto& l : console_lines) write_free_line(ctx.console, l);
  open_held_log(ctx);
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
  end_with_diagnostic(ctx, diagnostic_text(what, channel, file, line_number));
}

void fail_allocation(run_context& ctx, std::string_view tables) {
  fail_diagnostic(ctx, "cannot allocate " + std::string(tables), "data file",
                  trim_right(ctx.cfg.data_file_name.view()));
}

}  // namespace veldmarsh
