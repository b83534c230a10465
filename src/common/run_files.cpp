// Opening the outputs of a run without reaching the user's files, one
// another or those of another run.
#include "common/run_files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/fixed_text.h"
#include "common/output_pair.h"
#include "common/platform.h"

namespace veldmarsh {

namespace {

namespace fs = std::filesystem;

// Where the name `name` is: its folder as the system finds it, then its own
// last part (a link of that name is not followed).
fs::path place_of(const std::string& name) {
  const fs::path p(name);
  std::error_code error;
  const fs::path folder = fs::weakly_canonical(p.parent_path().empty() ? fs::path(".") : p.parent_path(), error);
  return error ? p.lexically_normal() : folder / p.filename();
}

// Where writing to `name` writes: the place of the file a link of that name
// leads to, or of the name itself.
fs::path place_written(const std::string& name) { return place_of(file_written_through(name)); }

// The folder of the file `name` ("." for a name without one).
std::string folder_of(const std::string& name) {
  const std::string folder = fs::path(name).parent_path().string();
  return folder.empty() ? "." : folder;
}

// Claims the folder of the log and that of the report and the renumbered
// file (one claim where they are the same).
file_refusal claim_run_folders(const std::string& report) {
  const std::string pedigree = renumbered_pedigree_name(report);
  const std::string data_folder = folder_of(report);
  if (claim_folder(".") == folder_claim::taken) {
    std::string what = "another run is working in this folder, on '" + std::string(log_file_name) + "'";
    if (!report.empty() && same_file(".", data_folder)) what += ", '" + report + "' and '" + pedigree + "'";
    return {what + "; start this run when it has ended", "log file", log_file_name};
  }
  if (!report.empty() && claim_folder(data_folder) == folder_claim::taken)
    return {"another run is working in the folder of '" + report + "' and '" + pedigree +
                "'; start this run when it has ended",
            "report file", report};
  return {};
}

// One name a run's output goes by.
struct output_place {
  const char* label;    // the output's channel
  std::string output;   // the output's own name
  std::string name;     // this name
  std::string subject;  // how a diagnostic names it as the one that would replace another
  std::string object;   // ... and as the one replaced
  bool own_name;        // the output's own name, written through a link of that name
  bool linked;          // the output's own name is a link
  fs::path place;       // where the name is
  fs::path written;     // where writing to it writes (its place, but for an own name that is a link)
};

// The names of the log, the report file and the renumbered pedigree file,
// with the temporary and kept names beside the files the last two replace.
std::vector<output_place> output_places(const std::string& report) {
  std::vector<output_place> places;
  auto add_output = [&](const char* label, const output_names* x) {
    const std::string what = "the " + std::string(label);
    const fs::path place = place_of(x->name), written = place_written(x->name);
    const bool linked = written != place;
    places.push_back({label, x->name, x->name, what, what, true, linked, place, written});
    auto add_beside = [&](const char* kind, const std::string& name) {
      const std::string whose = what + "'s " + kind;
      places.push_back({label, x->name, name, whose, whose + " '" + name + "'", false, linked, place_of(name), place_of(name)});
    };
    if (x->temporary.empty()) return;
    add_beside("temporary file", x->temporary);
    add_beside("kept file", x->kept);
    if (std::string(label) == "report file") add_beside("pair marker", pair_marker_of(*x));
  };
  const output_names log{log_file_name}, r = output_names_of(report), n = output_names_of(renumbered_pedigree_name(report));
  add_output("log file", &log);
  add_output("report file", &r);
  add_output("renumbered pedigree file", &n);
  return places;
}

// The first name of an output that reaches a name of another output, named
// by the output whose own name is the link where there is one: an own name
// whose link leads to one of them, two own names that lead to one file, or
// two names beside the files replaced that are one.
file_refusal outputs_reaching_each_other(const std::string& report) {
  const std::vector<output_place> places = output_places(report);
  auto first = [&](auto&& reaches) -> file_refusal {
    for (const output_place& x : places)
      for (const output_place& p : places)
        if (x.output != p.output && reaches(x, p)) return {x.subject + " would replace " + p.object, x.label, x.output};
    return {};
  };
  file_refusal refusal =
      first([](const output_place& x, const output_place& p) { return x.own_name && x.linked && x.written == p.place; });
  if (refusal.channel == nullptr)
    refusal = first([](const output_place& x, const output_place& p) {
      return x.own_name && (x.written == p.written || same_file(x.name, p.name));
    });
  if (refusal.channel == nullptr)
    refusal = first([](const output_place& x, const output_place& p) {
      return x.place == p.place && (x.linked || !p.linked);
    });
  return refusal;
}

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

file_refusal open_held_log(run_context& ctx) {
  output_channel& log = ctx.log;
  if (!log.held) return {};
  const std::string report(trim_right(ctx.cfg.report_file_name.view()));
  file_refusal refusal = claim_run_folders(report);
  if (refusal.channel == nullptr && !report.empty()) refusal = outputs_reaching_each_other(report);
  // A pair left half named by a killed run is put right first, also when
  // the run then ends with a diagnostic; never through a name that reaches
  // a file the user gave.
  if (refusal.channel == nullptr && !report.empty() && input_file_reached(ctx.cfg, report) == nullptr &&
      input_file_reached(ctx.cfg, renumbered_pedigree_name(report)) == nullptr) {
    const std::string failure =
        put_output_pair_right(output_names_of(report), output_names_of(renumbered_pedigree_name(report)));
    if (!failure.empty()) refusal = {failure, ctx.report.label, report};
  }
  if (refusal.channel == nullptr)
    if (const char* reached = input_file_reached(ctx.cfg, log_file_name))
      refusal = {"the log file would replace the " + std::string(reached) +
                     (std::string(reached) == "data file" ? "; rename the data file" : ""),
                 log.label, log_file_name};
  if (refusal.channel == nullptr && !open_output_file(log, log_file_name))
    refusal = {"cannot open for writing", log.label, log_file_name};
  if (refusal.channel != nullptr) {
    log.held = false;
    log.buffer.clear();
  }
  return refusal;
}

output_opening open_output_beside(run_context& ctx, output_channel& channel, const std::string& name) {
  if (const char* reached = input_file_reached(ctx.cfg, name)) return {false, reached, name};
  std::error_code error;
  const fs::file_status status = fs::status(name, error);
  if (fs::is_directory(status)) return {false, nullptr, name};
  if (fs::exists(status) && !fs::is_regular_file(status))  // a device or a pipe: written as it is
    return {open_output_file(channel, name), nullptr, name};
  // The file that the name leads to, a link followed, is the one replaced.
  const output_names names = output_names_of(name);
  // A file there must be one the run can replace (not read-only); it is
  // opened without changing it, and only to see that.
  if (std::FILE* existing = std::fopen(names.target.c_str(), "r+b"))
    std::fclose(existing);
  else if (errno != ENOENT)
    return {false, nullptr, name};
  if (open_output_file_under(channel, names.target, names.temporary)) return {true, nullptr, names.temporary};
  return {false, nullptr, names.temporary};
}

}  // namespace veldmarsh
