// The files of a run and the rules that keep its outputs off the user's
// files and off those of another run: no output (the log, the report file,
// the renumbered pedigree file) is opened when one of the names it goes by
// reaches the steering file or the data file, by whatever name; no output
// is written, renamed or removed through a name that reaches another of
// them, through however many links; a file is checked as it was opened,
// before anything is written to it; and while one run works in a folder, no
// other run that would write there writes anything.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "common/run_context.h"

namespace veldmarsh {

inline constexpr const char* steering_file_name = "brindlemoor.ini";
inline constexpr const char* log_file_name = "Veldmarshlog.txt";

// Remembers a file the user gave ("steering file", "data file") as it was
// opened.
void remember_given_file(run_context& ctx, const char* what, std::FILE* file);

// The user's file ("data file" or "steering file") that the name `name`
// reaches, by the text of the names or by identity, as the run opened the
// file and as its name reaches it now; nullptr when none. With
// `through_links` the file at the end of the links of `name` counts,
// otherwise only what stands under the name itself (a link there is not
// written through, only removed). The data file counts once the steering
// file has named it.
const char* given_file_reached(const run_context& ctx, const std::string& name, bool through_links);

// The renumbered pedigree file's name: the report file's name with its last
// three non-blank characters replaced by "new" (herd.out gives herd.new).
std::string renumbered_pedigree_name(std::string_view report_file_name);

// Why a run may not write its files: what, and the channel and the file
// the diagnostic names (`channel` nullptr: nothing stands in the way).
struct file_refusal {
  std::string what;
  const char* channel = nullptr;
  std::string file;
};

// Opens the log, whose lines are held from the start of the run until the
// steering file has named the data file, and hands the held lines on to it
// at once. Before it writes anything the run follows the links of its
// outputs' names to their ends (a name whose links lead round a loop, or
// through more links than the system follows, is refused), claims the
// folders those ends are in, checks that no name of its outputs reaches
// another of them (nor a name of the log a file the user gave), and puts
// right a report and renumbered file left half named by a killed run. The
// log is a new file that takes the name at the end of the links once its
// first lines are in it: the last log's other names keep the last log.
// Returns why the log cannot be opened (the held lines are then dropped and
// nothing is written), or a refusal without a channel once the log is open
// (or was not held).
file_refusal open_held_log(run_context& ctx);

// What opening an output file gave. `reached`: the user's file that a name
// of the output would replace (nothing is opened then), and `by` how the
// diagnostic names that name ("the report file", "the report file's
// temporary file 'herd.part'"); otherwise `opened` says whether the file
// could be opened. `concerned`: the output's name, or the name that failed
// to open.
struct output_opening {
  bool opened = false;
  const char* reached = nullptr;
  std::string by;
  std::string concerned;
};

// Opens `channel` for the output file `name`, written under its temporary
// name until the run ends; a link of that name keeps leading to the file
// replaced (the file at the end of its links, as found before the run wrote
// anything), and a device or a pipe there is written directly, once it is
// open and seen to be no file the user gave.
output_opening open_output_beside(run_context& ctx, output_channel& channel, const std::string& name);

}  // namespace veldmarsh
