// Opening the outputs of a run without reaching the user's files, one
// another or those of another run.
#include "common/run_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/fixed_text.h"
#include "common/follow_links.h"
#include "common/output_pair.h"
#include "common/platform.h"

namespace veldmarsh {

namespace {

namespace fs = std::filesystem;

std::string in_quotes(const std::string& name) { return "'" + name + "'"; }

// The folder of the file `name` ("." for a name without one).
std::string folder_of(const std::string& name) {
  const std::string folder = fs::path(name).parent_path().string();
  return folder.empty() ? "." : folder;
}

// One output of a run: the log, the report file or the renumbered pedigree
// file, and where the links of its name end.
struct run_output {
  const char* label;
  std::string name;
  link_end end;
  bool written_beside;  // written under a temporary name beside the file it replaces
};

// The log and, once the report has a name, the report and the renumbered
// file, their links followed to their ends once, before anything is written.
std::vector<run_output> run_outputs(const run_context& ctx, const std::string& report) {
  std::vector<run_output> outputs{{ctx.log.label, log_file_name, follow_links(log_file_name), false}};
  if (report.empty()) return outputs;
  const std::string pedigree = renumbered_pedigree_name(report);
  outputs.push_back({ctx.report.label, report, follow_links(report), true});
  outputs.push_back({ctx.pedigree.label, pedigree, follow_links(pedigree), true});
  return outputs;
}

// An output whose name leads round a loop of links has no file to write.
file_refusal links_in_a_loop(const std::vector<run_output>& outputs) {
  for (const run_output& o : outputs)
    if (o.end.loop) return {"the " + std::string(o.label) + "'s name leads round a loop of links", o.label, o.name};
  return {};
}

// Claims the folders the outputs are written in, where their links end, in
// the order of the folders' identities. A run refused names the folder and
// the files it leaves as they were: it knows only that another run holds
// the folder, not which files that run writes there.
file_refusal claim_run_folders(const std::vector<run_output>& outputs) {
  struct folder {
    folder_identity id;
    std::string name;
    const run_output* first;  // the first output written in it
  };
  std::vector<folder> folders;
  for (const run_output& o : outputs) {
    folder f{{}, folder_of(o.end.file), &o};
    // A folder that is not there holds nothing to claim: nothing can be
    // written in it.
    if (!identify_folder(f.name, f.id)) continue;
    if (std::none_of(folders.begin(), folders.end(), [&](const folder& g) { return g.id == f.id; }))
      folders.push_back(f);
  }
  std::sort(folders.begin(), folders.end(), [](const folder& a, const folder& b) { return a.id < b.id; });
  for (const folder& f : folders) {
    if (claim_folder(f.name) != folder_claim::taken) {
      if (&f == &folders.front()) reach_step("claimed");
      continue;
    }
    folder_identity here;
    const bool this_folder = identify_folder(".", here) && here == f.id;
    std::string files;
    for (std::size_t k = 0; k < outputs.size(); ++k)
      files += (k == 0 ? "" : k + 1 == outputs.size() ? " and " : ", ") + in_quotes(outputs[k].name);
    const std::string where = this_folder ? "this folder" : "the folder of " + in_quotes(f.first->end.file);
    return {"another run is working in " + where + "; this run leaves " + files + " as " +
                (outputs.size() == 1 ? "it was" : "they were") + ": start it again when that run has ended",
            f.first->label, f.first->name};
  }
  return {};
}

// One name a run's output goes by.
struct output_place {
  const char* label;    // the output's channel
  std::string output;   // the output's own name
  std::string name;     // this name
  std::string subject;  // how a diagnostic names it as the one that would replace another
  std::string object;   // ... and as the one replaced
  bool own_name;        // the output's own name, written through its links
  bool linked;          // the output's own name is a link
  std::vector<fs::path> reached;  // for an own name: the places its links lead to, the end last
  fs::path place;       // where the name is
  fs::path written;     // where writing to it writes (its place, but for an own name that is a link)
};

// The names of the log, the report file and the renumbered pedigree file,
// with the temporary and kept names beside the files the last two replace.
std::vector<output_place> output_places(const std::vector<run_output>& outputs) {
  std::vector<output_place> places;
  for (const run_output& o : outputs) {
    const std::string what = "the " + std::string(o.label);
    const std::vector<fs::path> reached(o.end.places.begin() + 1, o.end.places.end());
    const bool linked = !reached.empty();
    places.push_back({o.label, o.name, o.name, what, what, true, linked, reached, o.end.places.front(),
                      o.end.places.back()});
    auto add_beside = [&](const char* kind, const std::string& name) {
      const std::string whose = what + "'s " + kind;
      places.push_back(
          {o.label, o.name, name, whose, whose + " '" + name + "'", false, linked, {}, place_of(name), place_of(name)});
    };
    if (!o.written_beside) continue;
    const output_names x = output_names_of(o.name, o.end.file);
    add_beside("temporary file", x.temporary);
    add_beside("kept file", x.kept);
    if (&o == &outputs[1]) add_beside("pair marker", pair_marker_of(x));
  }
  return places;
}

// The first name of an output that reaches a name of another output, named
// by the output whose own name is the link where there is one: an own name
// whose links lead to one of them (on the way or at their end), two own
// names that lead to one file, or two names beside the files replaced that
// are one.
file_refusal outputs_reaching_each_other(const std::vector<run_output>& outputs) {
  const std::vector<output_place> places = output_places(outputs);
  auto first = [&](auto&& reaches) -> file_refusal {
    for (const output_place& x : places)
      for (const output_place& p : places)
        if (x.output != p.output && reaches(x, p)) return {x.subject + " would replace " + p.object, x.label, x.output};
    return {};
  };
  file_refusal refusal = first([](const output_place& x, const output_place& p) {
    return x.own_name && std::find(x.reached.begin(), x.reached.end(), p.place) != x.reached.end();
  });
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
  const std::vector<run_output> outputs = run_outputs(ctx, report);
  file_refusal refusal = links_in_a_loop(outputs);
  if (refusal.channel == nullptr) refusal = claim_run_folders(outputs);
  if (refusal.channel == nullptr) refusal = outputs_reaching_each_other(outputs);
  if (refusal.channel == nullptr && !report.empty()) {
    // The report and the renumbered file are written where the links of
    // their names end, as worked out here.
    const run_output &r = outputs[1], &n = outputs[2];
    ctx.report.reaches = r.end.file;
    ctx.pedigree.reaches = n.end.file;
    // A pair left half named by a killed run is put right first, also when
    // the run then ends with a diagnostic; never through a name that
    // reaches a file the user gave.
    if (input_file_reached(ctx.cfg, r.name) == nullptr && input_file_reached(ctx.cfg, n.name) == nullptr) {
      const std::string failure =
          put_output_pair_right(output_names_of(r.name, r.end.file), output_names_of(n.name, n.end.file));
      if (!failure.empty()) refusal = {failure, ctx.report.label, report};
    }
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
  // The file at the end of the name's links is the one replaced.
  const output_names names = output_names_of(name, channel.reaches.empty() ? follow_links(name).file : channel.reaches);
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
