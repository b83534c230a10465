// Opening the outputs of a run without reaching the user's files.
#include "common/run_files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "common/fixed_text.h"
#include "common/platform.h"

namespace veldmarsh {

const char* input_file_reached(const settings& cfg, const std::string& name) {
  const std::string data_name(trim_right(cfg.data_file_name.view()));
  if (!data_name.empty() && same_file(name, data_name)) return "data file";
  if (same_file(name, steering_file_name)) return "steering file";
  return nullptr;
}

std::string open_held_log(run_context& ctx) {
  output_channel& log = ctx.log;
  if (!log.held) return {};
  std::string failure;
  if (const char* reached = input_file_reached(ctx.cfg, log_file_name))
    failure = "the log file would replace the " + std::string(reached) +
              (std::string(reached) == "data file" ? "; rename the data file" : "");
  else if (!open_output_file(log, log_file_name))
    failure = "cannot open for writing";
  if (!failure.empty()) {
    log.held = false;
    log.buffer.clear();
  }
  return failure;
}

std::string temporary_name_of(const std::string& name) { return name + ".part"; }

output_opening open_output_beside(run_context& ctx, output_channel& channel, const std::string& name) {
  namespace fs = std::filesystem;
  if (const char* reached = input_file_reached(ctx.cfg, name)) return {false, reached, name};
  // The file that the name leads to, a link followed, is the one replaced.
  std::error_code error;
  const fs::file_status status = fs::status(name, error);
  std::string target = name;
  if (fs::is_directory(status)) return {false, nullptr, name};
  if (fs::exists(status) && !fs::is_regular_file(status))  // a device or a pipe: written as it is
    return {open_output_file(channel, name), nullptr, name};
  if (fs::is_symlink(fs::symlink_status(name, error))) {
    fs::path reached = fs::canonical(name, error);
    if (error) {  // a link to a file not there yet: the file it names
      reached = fs::read_symlink(name, error);
      if (reached.is_relative()) reached = fs::path(name).parent_path() / reached;
    }
    if (!error) target = reached.string();
  }
  const std::string temporary = temporary_name_of(target);
  if (const char* reached = input_file_reached(ctx.cfg, temporary)) return {false, reached, temporary};
  // A file there must be one the run can replace (not read-only); it is
  // opened without changing it, and only to see that.
  if (std::FILE* existing = std::fopen(target.c_str(), "r+b"))
    std::fclose(existing);
  else if (errno != ENOENT)
    return {false, nullptr, name};
  return {open_output_file_under(channel, target, temporary), nullptr, temporary};
}

}  // namespace veldmarsh
