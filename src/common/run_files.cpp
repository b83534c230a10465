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
  bool paired;  // the report or the renumbered file, which take their names as a pair
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

// A name beside the file an output replaces, which the run itself makes,
// renames and removes: every output is written under a temporary name; the
// last run's report and renumbered file have kept names while the pair
// takes its names, marked beside the report.
struct working_name {
  const char* kind;
  std::string name;
};
std::vector<working_name> working_names_of(const output_names& x, bool paired, bool report) {
  std::vector<working_name> names{{"temporary file", x.temporary}};
  if (paired) names.push_back({"kept file", x.kept});
  if (report) names.push_back({"pair marker", pair_marker_of(x)});
  return names;
}

// The user's file that the file `id` is, as the run opened it or as its
// name reaches it now; nullptr when none.
const char* given_file_of(const run_context& ctx, const file_identity& id) {
  const std::string data_name(trim_right(ctx.cfg.data_file_name.view()));
  file_identity given;
  if (!data_name.empty() && identify_file(data_name, true, given) && given == id) return "data file";
  if (identify_file(steering_file_name, true, given) && given == id) return "steering file";
  for (const given_file& g : ctx.given_files)
    if (g.id == id) return g.what;
  return nullptr;
}

// The user's file that one of the names an output goes by reaches (the file
// at the end of its links, or what stands under one of its working names),
// and how a diagnostic names that name.
struct given_file_reach {
  const char* file = nullptr;
  std::string by;
};
given_file_reach given_file_reached_by(const run_context& ctx, const char* label, const output_names& x, bool paired,
                                       bool report) {
  const std::string what = "the " + std::string(label);
  if (const char* file = given_file_reached(ctx, x.target, true)) return {file, what};
  for (const working_name& w : working_names_of(x, paired, report))
    if (const char* file = given_file_reached(ctx, w.name, false))
      return {file, what + "'s " + w.kind + " " + in_quotes(w.name)};
  return {};
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
    file_identity id;
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
    file_identity here;
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
// with the working names beside the files they replace.
std::vector<output_place> output_places(const std::vector<run_output>& outputs) {
  std::vector<output_place> places;
  for (const run_output& o : outputs) {
    const std::string what = "the " + std::string(o.label);
    const std::vector<fs::path> reached(o.end.places.begin() + 1, o.end.places.end());
    const bool linked = !reached.empty();
    places.push_back({o.label, o.name, o.name, what, what, true, linked, reached, o.end.places.front(),
                      o.end.places.back()});
    for (const working_name& w : working_names_of(output_names_of(o.name, o.end.file), o.paired, &o == &outputs[1])) {
      const std::string whose = what + "'s " + w.kind;
      places.push_back({o.label, o.name, w.name, whose, whose + " " + in_quotes(w.name), false, linked, {},
                        place_of(w.name), place_of(w.name)});
    }
  }
  return places;
}

// True when the own name `x` and the name `p` reach one file: the file at
// the end of the links of an own name, what stands under a working name
// (a link there is never written through).
bool one_file(const output_place& x, const output_place& p) {
  file_identity a, b;
  return identify_file(x.name, true, a) && identify_file(p.name, p.own_name, b) && a == b;
}

// What a diagnostic says of the log when `by` reaches the user's `file`.
std::string log_would_replace(const std::string& by, const std::string& file) {
  return by + " would replace the " + file + (file == "data file" ? "; rename the data file" : "");
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
      return x.own_name && (x.written == p.written || x.name == p.name || one_file(x, p));
    });
  if (refusal.channel == nullptr)
    refusal = first([](const output_place& x, const output_place& p) {
      return x.place == p.place && (x.linked || !p.linked);
    });
  return refusal;
}

// Opens `channel` for the output whose names are `x` (`paired`: the report
// or the renumbered file; `report`: the report). Nothing is opened when a
// name of it reaches a file the user gave. A device or a pipe at the end of
// its links is written directly, once it is open (it is never emptied) and
// seen to be no file: a name turned since it was checked into one that
// reaches the user's file is refused, and one turned into any other file
// is replaced as files are. Otherwise a new file is made under the
// temporary name; a file there already must be one the run may replace
// (not read-only: it is opened without changing it, and only to see that).
output_opening open_at_end(const run_context& ctx, output_channel& channel, const output_names& x, bool paired,
                           bool report) {
  const given_file_reach reach = given_file_reached_by(ctx, channel.label, x, paired, report);
  if (reach.file != nullptr) return {false, reach.file, reach.by, x.name};
  std::error_code error;
  const fs::file_status status = fs::status(x.target, error);
  if (fs::is_directory(status)) return {false, nullptr, {}, x.name};
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    reach_step("checked");
    std::FILE* file = open_existing_for_writing(x.target);
    if (file == nullptr) return {false, nullptr, {}, x.name};
    if (kind_of_open_file(file) == open_file_kind::stream) {
      use_output_file(channel, x.name, file);
      return {true, nullptr, {}, x.name};
    }
    file_identity id;
    const char* given = identify_open_file(file, id) ? given_file_of(ctx, id) : nullptr;
    std::fclose(file);
    if (given != nullptr) return {false, given, "the " + std::string(channel.label), x.name};
  }
  if (std::FILE* existing = std::fopen(x.target.c_str(), "r+b"))
    std::fclose(existing);
  else if (errno != ENOENT)
    return {false, nullptr, {}, x.name};
  // Made new, the file is none of the user's.
  if (open_output_file_under(channel, x.target, x.temporary)) return {true, nullptr, {}, x.temporary};
  return {false, nullptr, {}, x.temporary};
}

// Opens the log at the end of the links of its name, `x`: its held lines
// are handed on at once, and a new file then takes the name.
file_refusal open_log_file(run_context& ctx, const output_names& x) {
  output_channel& log = ctx.log;
  const output_opening opening = open_at_end(ctx, log, x, false, false);
  if (opening.reached != nullptr) return {log_would_replace(opening.by, opening.reached), log.label, log_file_name};
  if (!opening.opened) return {"cannot open for writing", log.label, log_file_name};
  const bool written = flush_channel(log);
  const std::string temporary = log.temporary_name;
  log.temporary_name.clear();
  log.file_name = log_file_name;
  if (temporary.empty()) return written ? file_refusal{} : file_refusal{"write failed", log.label, log_file_name};
  if (written && replace_file(temporary, x.target)) return {};
  close_channel(log);
  std::remove(temporary.c_str());
  return {written ? "cannot give the log file its name; the last log stays as it was" : "write failed", log.label,
          log_file_name};
}

}  // namespace

void remember_given_file(run_context& ctx, const char* what, std::FILE* file) {
  file_identity id;
  if (file != nullptr && identify_open_file(file, id)) ctx.given_files.push_back({what, id});
}

const char* given_file_reached(const run_context& ctx, const std::string& name, bool through_links) {
  const std::string data_name(trim_right(ctx.cfg.data_file_name.view()));
  if (!data_name.empty() && name == data_name) return "data file";
  if (name == steering_file_name) return "steering file";
  file_identity id;
  return identify_file(name, through_links, id) ? given_file_of(ctx, id) : nullptr;
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
    // the run then ends with a diagnostic; never when a name of either
    // reaches a file the user gave.
    const output_names rx = output_names_of(r.name, r.end.file), nx = output_names_of(n.name, n.end.file);
    if (given_file_reached_by(ctx, r.label, rx, true, true).file == nullptr &&
        given_file_reached_by(ctx, n.label, nx, true, false).file == nullptr) {
      const std::string failure = put_output_pair_right(rx, nx);
      if (!failure.empty()) refusal = {failure, ctx.report.label, report};
    }
  }
  const output_names lx = output_names_of(log_file_name, outputs[0].end.file);
  if (refusal.channel == nullptr) {
    const given_file_reach reach = given_file_reached_by(ctx, log.label, lx, false, false);
    if (reach.file != nullptr) refusal = {log_would_replace(reach.by, reach.file), log.label, log_file_name};
  }
  if (refusal.channel == nullptr) refusal = open_log_file(ctx, lx);
  if (refusal.channel != nullptr) {
    log.held = false;
    log.buffer.clear();
  }
  return refusal;
}

output_opening open_output_beside(run_context& ctx, output_channel& channel, const std::string& name) {
  const output_names x = output_names_of(name, channel.reaches.empty() ? follow_links(name).file : channel.reaches);
  return open_at_end(ctx, channel, x, true, &channel == &ctx.report);
}

}  // namespace veldmarsh
