// The four output text channels of a run (console, log, report file and
// renumbered pedigree file). Every write is a whole line ending in CR LF;
// bytes are written exactly as given (Dutch texts are Windows-1252).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace veldmarsh {

// One output channel: a file (or standard output) with a write buffer.
struct output_channel {
  const char* label = "";  // what the channel is, for diagnostics
  std::string file_name;   // the file's name as opened ("standard output" for the console)
  std::FILE* file = nullptr;
  bool owns_file = false;  // closed by close_channel
  std::string buffer;      // bytes not yet handed to the file
};

// Called when a write to a channel fails; the run installs its diagnostic here.
extern void (*write_failure_handler)(output_channel& channel);

// Opens `name` for writing (replacing an existing file). False when it cannot.
bool open_output_file(output_channel& channel, const std::string& name);

// Appends `text` and CR LF. Lines written to a channel with no file are dropped.
void write_raw_line(output_channel& channel, std::string_view text);

// Hands the buffered bytes to the file. False when the write fails.
bool flush_channel(output_channel& channel);

// Flushes and closes the file when the channel owns it. False on a failure.
bool close_channel(output_channel& channel);

}  // namespace veldmarsh
