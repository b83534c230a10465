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

}  // namespace

void give_up_renumbered_file(run_context& ctx, const std::string& why, bool reaches_given_file) {
  output_channel& pedigree = ctx.pedigree;
  lose_channel(pedigree);
  abandon_output_file(pedigree);
  if (!pedigree.not_written.empty()) return;
  // What stands under its name: the user's file it would have replaced, the
  // last run's renumbered file, or none.
  std::string what = why;
  std::error_code error;
  if (reaches_given_file)
    what += "; it was not written";
  else if (std::filesystem::exists(std::filesystem::status(pedigree.file_name, error)))
    what += "; the last run's renumbered pedigree file stays as it was";
  else
    what += "; there is no renumbered pedigree file under that name";
  pedigree.not_written = diagnostic_text(what, pedigree.label, pedigree.file_name, 0);
}

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
      give_up_renumbered_file(*current_run, "write failed");
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
  if (!close_channel(ctx.pedigree)) give_up_renumbered_file(ctx, "write failed");
  if (const naming_failure failure = finish_output_pair(ctx.report, ctx.pedigree); failure.channel != nullptr)
    end_with_diagnostic(ctx, diagnostic_text(failure.what, failure.channel->label, failure.channel->file_name, 0));
  // The files have their names; a renumbered file given up and a lost
  // console still fail the run.
  std::string message;
  message += ctx.pedigree.not_written;
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
