// Opening and finishing the outputs of a run without reaching the user's
// files or those of another run.
#include "common/run_files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "common/fixed_text.h"
#include "common/platform.h"

namespace veldmarsh {

namespace {

namespace fs = std::filesystem;

// The file that writing to `name` reaches: the name itself, or where a link
// of that name leads, also when the file it names is not there yet.
std::string file_written_through(const std::string& name) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(name, error))) return name;
  fs::path reached = fs::canonical(name, error);
  if (error) {
    reached = fs::read_symlink(name, error);
    if (reached.is_relative()) reached = fs::path(name).parent_path() / reached;
  }
  return error ? name : reached.string();
}

// True when writing to `name` would write to the file named `other`, there
// or still to be made.
bool would_write_to(const std::string& name, const std::string& other) {
  if (same_file(name, other)) return true;
  std::error_code e1, e2;
  const fs::path a = fs::weakly_canonical(file_written_through(name), e1);
  const fs::path b = fs::weakly_canonical(other, e2);
  return !e1 && !e2 && a == b;
}

// The name under which the file an output replaces is kept until the other
// output of the pair has its name too.
std::string kept_name_of(const std::string& name) { return name + ".last.part"; }

}  // namespace

const char* input_file_reached(const settings& cfg, const std::string& name) {
  const std::string data_name(trim_right(cfg.data_file_name.view()));
  if (!data_name.empty() && same_file(name, data_name)) return "data file";
  if (same_file(name, steering_file_name)) return "steering file";
  return nullptr;
}

std::string renumbered_pedigree_name(std::string_view report_file_name) {
  std::string_view base = trim_right(report_file_name);
  base = base.substr(0, base.size() >= 3 ? base.size() - 3 : 0);
  while (!base.empty() && base.front() == ' ') base.remove_prefix(1);
  return std::string(base) + "new";
}

std::string open_held_log(run_context& ctx) {
  output_channel& log = ctx.log;
  if (!log.held) return {};
  const std::string report(trim_right(ctx.cfg.report_file_name.view()));
  std::string failure;
  if (claim_folder(steering_file_name) == folder_claim::taken) {
    failure = "another run is working in this folder, on '" + std::string(log_file_name) + "'";
    if (!report.empty()) failure += ", '" + report + "' and '" + renumbered_pedigree_name(report) + "'";
    failure += "; start this run when it has ended";
  } else if (const char* reached = input_file_reached(ctx.cfg, log_file_name)) {
    failure = "the log file would replace the " + std::string(reached) +
              (std::string(reached) == "data file" ? "; rename the data file" : "");
  } else if (!report.empty() && would_write_to(log_file_name, report)) {
    failure = "the log file would replace the report file";
  } else if (!report.empty() && would_write_to(log_file_name, renumbered_pedigree_name(report))) {
    failure = "the log file would replace the renumbered pedigree file";
  } else if (!open_output_file(log, log_file_name)) {
    failure = "cannot open for writing";
  }
  if (!failure.empty()) {
    log.held = false;
    log.buffer.clear();
  }
  return failure;
}

std::string temporary_name_of(const std::string& name) { return name + ".part"; }

output_opening open_output_beside(run_context& ctx, output_channel& channel, const std::string& name) {
  if (const char* reached = input_file_reached(ctx.cfg, name)) return {false, reached, name};
  std::error_code error;
  const fs::file_status status = fs::status(name, error);
  if (fs::is_directory(status)) return {false, nullptr, name};
  if (fs::exists(status) && !fs::is_regular_file(status))  // a device or a pipe: written as it is
    return {open_output_file(channel, name), nullptr, name};
  // The file that the name leads to, a link followed, is the one replaced.
  const std::string target = file_written_through(name);
  const std::string temporary = temporary_name_of(target);
  // A file there must be one the run can replace (not read-only); it is
  // opened without changing it, and only to see that.
  if (std::FILE* existing = std::fopen(target.c_str(), "r+b"))
    std::fclose(existing);
  else if (errno != ENOENT)
    return {false, nullptr, name};
  return {open_output_file_under(channel, target, temporary), nullptr, temporary};
}

naming_failure finish_output_pair(output_channel& first, output_channel& second) {
  close_channel(first);
  close_channel(second);
  const std::string first_temporary = first.temporary_name, second_temporary = second.temporary_name;
  // From here on the temporary files are this run's result, never removed.
  first.temporary_name.clear();
  second.temporary_name.clear();
  auto staying = [&](const output_channel& failed) {
    std::string what = "cannot give the " + std::string(failed.label) + " its name; this run's ";
    if (!first_temporary.empty() && !second_temporary.empty())
      return naming_failure{&failed, what + "files stay as '" + first_temporary + "' and '" + second_temporary +
                                         "', the last run's as they were"};
    return naming_failure{&failed, what + "file stays as '" + (first_temporary + second_temporary) + "'"};
  };
  if (first_temporary.empty() || second_temporary.empty()) {
    output_channel& only = first_temporary.empty() ? second : first;
    const std::string& temporary = first_temporary.empty() ? second_temporary : first_temporary;
    if (temporary.empty() || replace_file(temporary, only.file_name)) return {};
    return staying(only);
  }

  // The first keeps what its name held under another name until the
  // second has its name too; then that is removed.
  std::error_code error;
  const bool first_was_there = fs::exists(fs::symlink_status(first.file_name, error));
  const std::string kept = kept_name_of(first.file_name);
  if (first_was_there) std::remove(kept.c_str());
  if (!(first_was_there ? replace_file_keeping(first_temporary, first.file_name, kept)
                        : replace_file(first_temporary, first.file_name)))
    return staying(first);
  if (replace_file(second_temporary, second.file_name)) {
    if (first_was_there) std::remove(kept.c_str());
    return {};
  }
  // The first gets back what it held, and this run's file its temporary name.
  if (first_was_there)
    replace_file_keeping(kept, first.file_name, first_temporary);
  else
    replace_file(first.file_name, first_temporary);
  return staying(second);
}

}  // namespace veldmarsh
