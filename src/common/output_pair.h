// How the report file and the renumbered pedigree file of a run take their
// names. Each is written under a temporary name beside the file it replaces
// and takes its name when the run ends. The two take their names as a pair,
// so that the folder holds a report and a renumbered file of one and the
// same run, however a run ends, also when it is killed in between:
//
//   1. the pair marker is made: until it is removed the pair is being named;
//   2. the last run's files get a second name, their kept names (a hard link;
//      where there are no links, and on Windows, they are moved there);
//   3. the report takes its name, then the renumbered file;
//   4. the marker is removed, then the kept names.
//
// The next run finds the marker of a run killed in between and puts the pair
// right before anything else: where both files had taken their names it
// removes what is left, otherwise it puts the last run's files back. Kept
// names left without a marker (their removal failed) belong to a pair that
// has its names, and are only removed.
#pragma once

#include <string>

#include "common/output_channel.h"

namespace veldmarsh {

// The names one output file goes by.
struct output_names {
  std::string name;       // the name the run gives it ("herd.out")
  std::string target;     // the file it replaces: the name, or where the links of that name end
  std::string temporary;  // written there until the run ends ("herd.out.part")
  std::string kept;       // the last run's file while the pair takes its names ("herd.out.last.part")
};
// The names of the output `name` whose links end at `target`.
output_names output_names_of(const std::string& name, const std::string& target);

// The name of the marker of the pair whose report is `report`.
std::string pair_marker_of(const output_names& report);

// A file that could not take its name: `channel` (nullptr: none) and what
// the diagnostic says of it.
struct naming_failure {
  const output_channel* channel = nullptr;
  std::string what;
};

// Gives the closed report file and renumbered pedigree file, each written
// under its temporary name, their own names, as a pair: when one cannot take
// its name, the last run's files are put back. On a failure this run's files
// stay under their temporary names, which the diagnostic gives, with what is
// true of the last run's. A channel without a temporary name (none written,
// or a device written directly) leaves the other to take its name alone.
naming_failure finish_output_pair(output_channel& report, output_channel& pedigree);

// Puts right what a run killed while its pair took their names left (the
// pair marker), and removes kept names left after a pair that has its names;
// a link standing under one of these names is removed first, as no run's.
// Empty when done; otherwise what cannot be done, and the marker stays for
// the next run.
std::string put_output_pair_right(const output_names& report, const output_names& pedigree);

// For tests of runs stopped at an instant of their own: called, when set,
// once the run holds the first folder it claims ("claimed"), when a device
// or a pipe an output is written to directly has been checked and is about
// to be opened ("checked"), and at every step of the pair taking its names
// ("marked", "kept", "between-names", "named").
extern void (*test_step_hook)(const char* step);

// Calls test_step_hook with `step`, when it is set.
void reach_step(const char* step);

}  // namespace veldmarsh
