// Stops and diagnostics. Every stop flushes and closes all output files; a
// stop of the run gives the report file and the renumbered pedigree file
// their names, a diagnostic leaves those of the last run.
#include "common/stops.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/output_pair.h"
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

// Ends the run with `message` (one or more lines) on standard error: the
// console and the log keep the lines they got, the report file and the
// renumbered pedigree file of the last run stay as they were.
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

// A renumbered pedigree file that cannot be opened or written is given up:
// the run goes on without it, and ends with its diagnostic once the report
// has its name.
void give_up_renumbered_file(output_channel& pedigree, const std::string& why) {
  lose_channel(pedigree);
  abandon_output_file(pedigree);
  if (pedigree.not_written.empty()) pedigree.not_written = why;
}

// The diagnostic of a renumbered file given up: why, and what stands under
// its name (the last run's, none, or the user's file it would replace).
std::string renumbered_file_not_written(const run_context& ctx) {
  const output_channel& pedigree = ctx.pedigree;
  std::error_code error;
  const char* what_is_there = input_file_reached(ctx.cfg, pedigree.file_name) != nullptr ? "; it was not written"
                              : std::filesystem::exists(std::filesystem::status(pedigree.file_name, error))
                                  ? "; the last run's renumbered pedigree file stays as it was"
                                  : "; no renumbered pedigree file was written";
  return diagnostic_text(pedigree.not_written + what_is_there, pedigree.label, pedigree.file_name, 0);
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
    if (&channel == &current_run->pedigree) {
      give_up_renumbered_file(channel, "write failed");
      return;
    }
    fail_diagnostic(*current_run, "write failed", channel.label, channel.file_name);
  };
}

void end_run(run_context& ctx, int status) {
  if (const file_refusal refusal = open_held_log(ctx); refusal.channel != nullptr)
    end_with_diagnostic(ctx, diagnostic_text(refusal.what, refusal.channel, refusal.file, 0));
  if (!close_channel(ctx.console)) lose_channel(ctx.console);
  for (output_channel* c : {&ctx.log, &ctx.report})
    if (!close_channel(*c)) end_with_diagnostic(ctx, diagnostic_text("write failed", c->label, c->file_name, 0));
  if (!close_channel(ctx.pedigree)) give_up_renumbered_file(ctx.pedigree, "write failed");
  if (const naming_failure failure = finish_output_pair(ctx.report, ctx.pedigree); failure.channel != nullptr)
    end_with_diagnostic(ctx, diagnostic_text(failure.what, failure.channel->label, failure.channel->file_name, 0));
  // The files have their names; a renumbered file given up and a lost
  // console still fail the run.
  std::string message;
  if (!ctx.pedigree.not_written.empty())
    message += renumbered_file_not_written(ctx);
  if (ctx.console.lost) message += diagnostic_text("write failed", ctx.console.label, ctx.console.file_name, 0);
  if (!message.empty()) end_with_diagnostic(ctx, message);
  std::fflush(stdout);
  std::exit(status);
}

void fatal_stop(run_context& ctx, const std::vector<std::vector<free_item>>& log_lines,
                const std::vector<std::vector<free_item>>& console_lines) {
  for (const auto& l : log_lines) write_free_line(ctx.log, l);
  for (const auto& l : console_lines) write_free_line(ctx.console, l);
  if (const file_refusal refusal = open_held_log(ctx); refusal.channel != nullptr)
    fail_diagnostic(ctx, refusal.what, refusal.channel, refusal.file);
  hand_on_lines(ctx.log);
  hand_on_lines(ctx.console);
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
