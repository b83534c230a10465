// The files of a run and the rules that keep its outputs off the user's
// files and off those of another run: no output (the log, the report file,
// the renumbered pedigree file) is opened when its name reaches the
// steering file or the data file, by whatever name; no output is written,
// renamed or removed through a name that reaches another of them, through
// however many links; and while one run works in a folder, no other run
// that would write there writes anything.
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

// Why a run may not write its files: what, and the channel and the file
// the diagnostic names (`channel` nullptr: nothing stands in the way).
struct file_refusal {
  std::string what;
  const char* channel = nullptr;
  std::string file;
};

// Opens the log, whose lines are held from the start of the run until the
// steering file has named the data file, and writes the held lines to it.
// Before it writes anything the run follows the links of its outputs'
// names to their ends (a name whose links lead round a loop is refused),
// claims the folders those ends are in, checks that no name of its outputs
// reaches another of them (nor the log a file the user gave), and puts right
// a report and renumbered file left half named by a killed run. Returns why
// the log cannot be opened (the held lines are then dropped and nothing is
// written), or a refusal without a channel once the log is open (or was not
// held).
file_refusal open_held_log(run_context& ctx);

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
// replaced (the file at the end of its links, as found before the run wrote
// anything), and a device or a pipe of that name is written directly.
output_opening open_output_beside(run_context& ctx, output_channel& channel, const std::string& name);

}  // namespace veldmarsh
