// The four output text channels of a run (console, log, report file and
// renumbered pedigree file). Every write is a whole line ending in CR LF;
// bytes are written exactly as given (Dutch texts are Windows-1252).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace veldmarsh {

// One output channel: a file (or standard output) with a write buffer.
struct output_channel {
  const char* label = "";  // what the channel is, for diagnostics
  std::string file_name;   // the file's name ("standard output" for the console)
  std::string temporary_name;  // when not empty: the name the file is written under until the run ends
  std::string reaches;     // when not empty: the file at the end of the links of its name, found before the run wrote
  std::FILE* file = nullptr;
  bool owns_file = false;  // closed by close_channel
  bool held = false;       // lines are kept until the file is opened
  bool terminal = false;   // a console that is a terminal: lines are handed on as they are written
  std::int64_t handed_on_at = 0;  // on a terminal: when lines were last handed on (steady clock, microseconds)
  bool lost = false;       // the file could no longer be written: later lines are dropped
  std::string not_written;  // when not empty: the diagnostic of a file asked for that could not be opened or written
  std::string buffer;      // bytes not yet handed to the file
};

// Called when a write to a channel fails; the run installs its diagnostic here.
extern void (*write_failure_handler)(output_channel& channel);

// Opens `name` for writing (replacing an existing file); the lines held so
// far are written to it. False when it cannot.
bool open_output_file(output_channel& channel, const std::string& name);

// Gives the channel the file `file`, opened for `name` (a device or a pipe,
// written as it is); the lines held so far are written to it.
void use_output_file(output_channel& channel, const std::string& name, std::FILE* file);

// Opens the file `name` to be written under the name `temporary` until the
// run gives it its own name (finish_output_pair), so that a run that does not
// end leaves the file of that name as it was. The temporary file is created
// afresh: whatever had its name (a file left by a killed run, a link) is
// removed first, never written through.
bool open_output_file_under(output_channel& channel, const std::string& name, const std::string& temporary);

// Appends `text` and CR LF. Lines written to a channel with no file, or one
// that was lost, are dropped, unless the channel holds them.
void write_raw_line(output_channel& channel, std::string_view text);

// Hands the buffered bytes to the file. False when the write fails.
bool flush_channel(output_channel& channel);

// Hands the lines written so far to the file now, so that they can be seen
// while the run goes on (at a time stamp, before the long work of a birth
// year or a sweep); a failed write goes to the write-failure handler.
void hand_on_lines(output_channel& channel);

// The same after a block of progress lines. A terminal shows every line as
// it comes, but is handed lines at most every few milliseconds: a line
// written sooner follows with the next line or progress block after that,
// or at the next time stamp (thousands of writes a second to a terminal
// would slow the run down and show nothing more).
void show_progress(output_channel& channel);

// Flushes and closes the file when the channel owns it. False on a failure.
bool close_channel(output_channel& channel);

// Closes the channel and removes a file written under a temporary name, so
// that the file of its own name stays as it was.
void abandon_output_file(output_channel& channel);

// Gives up a file that can no longer be written: the lines not yet written
// are dropped, and so are those written later.
void lose_channel(output_channel& channel);

}  // namespace veldmarsh
