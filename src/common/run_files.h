// The files of a run and the rules that keep its outputs off the user's
// files and off those of another run: no output (the log, the report file,
// the renumbered pedigree file) is opened when its name reaches the
// steering file or the data file, by whatever name; the log is not opened
// through a name that reaches the report or the renumbered pedigree file;
// and while one run works in a folder, no other run there writes anything.
#pragma once

#include <string>
#include <string_view>

#include "common/run_context.h"

namespace veldmarsh {

inline constexpr const char* steering_file_name = "brindlemoor.ini";
inline constexpr const char* log_file_name = "Veldmarshlog.txt";

// The user's file that writing to `name` would replace ("data file" or
// "steering file"), by any name that reaches it; nullptr when none. The
// data file counts once the steering file has named it.
const char* input_file_reached(const settings& cfg, const std::string& name);

// The renumbered pedigree file's name: the report file's name with its last
// three non-blank characters replaced by "new" (herd.out gives herd.new).
std::string renumbered_pedigree_name(std::string_view report_file_name);

// Opens the log, whose lines are held from the start of the run until the
// steering file has named the data file, and writes the held lines to it.
// The run first claims its folder. Returns an empty text when the log is
// open (or was not held), otherwise why it cannot be: another run works in
// the folder, or the log's name reaches a file it must not replace. The
// held lines are then dropped and nothing is written.
std::string open_held_log(run_context& ctx);

// The name an output file is written under until the run ends: beside it,
// in the same folder.
std::string temporary_name_of(const std::string& name);

// What opening an output file gave. `reached`: the user's file that the
// output's name would replace (nothing is opened then); otherwise `opened`
// says whether the file could be opened. `concerned`: the name that reached
// the user's file or failed to open.
struct output_opening {
  bool opened = false;
  const char* reached = nullptr;
  std::string concerned;
};

// Opens `channel` for the output file `name`, written under its temporary
// name until the run ends; a link of that name keeps leading to the file
// replaced, and a device or a pipe of that name is written directly.
output_opening open_output_beside(run_context& ctx, output_channel& channel, const std::string& name);

// A file that could not take its name: `channel` (nullptr: none) and what
// the diagnostic says of it.
struct naming_failure {
  const output_channel* channel = nullptr;
  std::string what;
};

// Gives the closed report file and renumbered pedigree file, each written
// under its temporary name, their own names, as a pair: when the second
// cannot take its name, the first gets back what it held before. On a
// failure this run's files stay under their temporary names, which the
// diagnostic gives.
naming_failure finish_output_pair(output_channel& first, output_channel& second);

}  // namespace veldmarsh
