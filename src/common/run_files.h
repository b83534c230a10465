// The files of a run and the rule that keeps its outputs off the user's
// files: no output (the log, the report file, the renumbered pedigree file
// or the temporary names these are written under) is opened when its name
// reaches the steering file or the data file, by whatever name.
#pragma once

#include <string>

#include "common/run_context.h"

namespace veldmarsh {

inline constexpr const char* steering_file_name = "brindlemoor.ini";
inline constexpr const char* log_file_name = "Veldmarshlog.txt";

// The user's file that writing to `name` would replace ("data file" or
// "steering file"), by any name that reaches it; nullptr when none. The
// data file counts once the steering file has named it.
const char* input_file_reached(const settings& cfg, const std::string& name);

// Opens the log, whose lines are held from the start of the run until the
// steering file has named the data file, and writes the held lines to it.
// Returns an empty text when it is open (or was not held), otherwise why it
// cannot be: the held lines are then dropped.
std::string open_held_log(run_context& ctx);

// The name an output file is written under until the run ends: beside it,
// in the same folder.
std::string temporary_name_of(const std::string& name);

// What opening an output file gave. `reached`: the user's file that the
// output's name or its temporary name would replace (nothing is opened
// then); otherwise `opened` says whether the file could be opened.
// `concerned`: the name that reached the user's file or failed to open.
struct output_opening {
  bool opened = false;
  const char* reached = nullptr;
  std::string concerned;
};

// Opens `channel` for the output file `name`, written under its temporary
// name until the run ends; a link of that name keeps leading to the file
// replaced, and a device or a pipe of that name is written directly.
output_opening open_output_beside(run_context& ctx, output_channel& channel, const std::string& name);

}  // namespace veldmarsh
