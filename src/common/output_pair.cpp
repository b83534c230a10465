// The report file and the renumbered pedigree file taking their names as a
// pair, and a pair left half named by a killed run put right.
#include "common/output_pair.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/platform.h"

namespace veldmarsh {

void (*test_step_hook)(const char* step) = nullptr;

namespace {

namespace fs = std::filesystem;

// True when something goes by the name `name` (a link that leads nowhere too).
bool name_taken(const std::string& name) {
  std::error_code error;
  return fs::exists(fs::symlink_status(name, error));
}

// Removes the name `name`; true when it is free.
bool remove_name(const std::string& name) { return std::remove(name.c_str()) == 0 || !name_taken(name); }

// True when this run's file has taken the name of `x`: a file has the name,
// the temporary name is free, and the file is not the last run's still kept.
bool has_taken_its_name(const output_names& x) {
  return name_taken(x.target) && !name_taken(x.temporary) && !(name_taken(x.kept) && same_file(x.target, x.kept));
}

// Puts the last run's file of `x` back: this run's file, where it has taken
// the name, goes back to its temporary name; the kept file then takes the
// name again (a kept second name of the file still there is removed). The
// name that could not be moved or removed, or an empty text.
std::string put_back(const output_names& x) {
  if (has_taken_its_name(x) && !replace_file(x.target, x.temporary)) return x.target;
  if (!name_taken(x.kept)) return {};
  if (name_taken(x.target) && same_file(x.target, x.kept)) return remove_name(x.kept) ? "" : x.kept;
  return replace_file(x.kept, x.target) ? "" : x.kept;
}

std::string in_quotes(const std::string& name) { return "'" + name + "'"; }

// What the diagnostic says when `failed` could not take its name and the
// pair was put back as far as it could be (`named`: which of the two had
// taken its name before): where this run's files are (one whose folder was
// moved or renamed while the run worked is under neither of its names), then
// the last run's.
std::string pair_left_as_it_is(const output_channel& failed, const output_names& r, const output_names& n,
                               const bool (&named)[2]) {
  std::vector<std::string> there, gone;
  for (int k = 0; k < 2; ++k) {
    const output_names& x = k == 0 ? r : n;
    if (name_taken(x.temporary))
      there.push_back(in_quotes(x.temporary));
    else if (named[k] && name_taken(x.target))  // it could not be put back
      there.push_back(in_quotes(x.target));
    else
      gone.push_back(in_quotes(x.temporary));
  }
  std::string what = "cannot give the " + std::string(failed.label) + " its name";
  if (there.size() == 2) what += "; this run's files stay as " + there[0] + " and " + there[1];
  if (there.size() == 1) what += "; this run's file stays as " + there[0];
  if (gone.size() == 2) what += "; " + gone[0] + " and " + gone[1] + " are no longer there";
  if (gone.size() == 1) what += "; " + gone[0] + " is no longer there";
  std::string kept;
  for (const output_names* x : {&r, &n})
    if (name_taken(x->kept)) kept += (kept.empty() ? "" : " and ") + in_quotes(x->kept);
  if (kept.empty()) return what + (gone.empty() ? ", the last run's as they were" : "; the last run's are as they were");
  return what + "; the last run's are kept as " + kept + " until the next run with this report file puts them back";
}

}  // namespace

void reach_step(const char* step) {
  if (test_step_hook != nullptr) test_step_hook(step);
}

output_names output_names_of(const std::string& name, const std::string& target) {
  return {name, target, target + ".part", target + ".last.part"};
}

std::string pair_marker_of(const output_names& report) { return report.target + ".pair.part"; }

naming_failure finish_output_pair(output_channel& report, output_channel& pedigree) {
  close_channel(report);
  close_channel(pedigree);
  const std::string report_temporary = report.temporary_name, pedigree_temporary = pedigree.temporary_name;
  // From here on the temporary files are this run's result, never removed.
  report.temporary_name.clear();
  pedigree.temporary_name.clear();
  if (report_temporary.empty() || pedigree_temporary.empty()) {
    output_channel& only = report_temporary.empty() ? pedigree : report;
    const std::string& temporary = report_temporary.empty() ? pedigree_temporary : report_temporary;
    if (temporary.empty() || replace_file(temporary, only.file_name)) return {};
    return {&only, "cannot give the " + std::string(only.label) + " its name; this run's file stays as " +
                       in_quotes(temporary)};
  }

  const output_names r = output_names_of(report.file_name, report.file_name);
  const output_names n = output_names_of(pedigree.file_name, pedigree.file_name);
  const std::string marker = pair_marker_of(r);
  bool named[2] = {false, false};
  auto put_back_both = [&](const output_channel& failed) -> naming_failure {
    if (put_back(r).empty() && put_back(n).empty()) remove_name(marker);
    return {&failed, pair_left_as_it_is(failed, r, n, named)};
  };
  // Kept names left after an earlier pair make room; the marker says, until
  // it is removed, that the pair is taking its names.
  std::FILE* mark = remove_name(r.kept) && remove_name(n.kept) && remove_name(marker) ? create_new_file(marker) : nullptr;
  if (mark == nullptr || std::fclose(mark) != 0) {
    remove_name(marker);
    return {&report, "cannot give the " + std::string(report.label) + " its name; this run's files stay as " +
                         in_quotes(r.temporary) + " and " + in_quotes(n.temporary) + ", the last run's as they were"};
  }
  reach_step("marked");
  if (name_taken(n.target) && !keep_file_as(n.target, n.kept)) return put_back_both(pedigree);
  if (name_taken(r.target) && !keep_file_as(r.target, r.kept)) return put_back_both(report);
  reach_step("kept");
  if (!replace_file(r.temporary, r.target)) return put_back_both(report);
  named[0] = true;
  reach_step("between-names");
  if (!replace_file(n.temporary, n.target)) return put_back_both(pedigree);
  reach_step("named");
  // The pair has its names: what cannot be removed now, the next run removes.
  if (remove_name(marker)) {
    remove_name(n.kept);
    remove_name(r.kept);
  }
  return {};
}

std::string put_output_pair_right(const output_names& report, const output_names& pedigree) {
  const std::string marker = pair_marker_of(report);
  // A run makes no link under these names (the kept names are second names
  // of real files, the temporary files and the marker are made new): a link
  // there is not the run's, never taken for the last run's file. It is
  // removed, which leaves the file it leads to as it is.
  for (const std::string* name : {&report.temporary, &report.kept, &pedigree.temporary, &pedigree.kept, &marker}) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(*name, error)) && !remove_name(*name))
      return "the link " + in_quotes(*name) + " stands under a name the run works with, and cannot be removed";
  }
  if (!name_taken(marker)) {
    remove_name(report.kept);
    remove_name(pedigree.kept);
    return {};
  }
  std::string failed;
  if (has_taken_its_name(report) && has_taken_its_name(pedigree)) {
    if (!remove_name(marker)) failed = marker;
    remove_name(pedigree.kept);
    remove_name(report.kept);
  } else {
    failed = put_back(report);
    if (failed.empty()) failed = put_back(pedigree);
    if (failed.empty() && !remove_name(marker)) failed = marker;
  }
  if (failed.empty()) return {};
  return "a run stopped while its report file and renumbered pedigree file took their names, and they cannot be put "
         "right: " + in_quotes(failed) + " cannot be renamed or removed";
}

}  // namespace veldmarsh
