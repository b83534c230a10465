// Line input from the steering file and the data file. A line ends at LF;
// one CR before it is dropped; a last line without LF still counts. Lines
// are returned whole, whatever their length.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace veldmarsh {

// One text file open for reading.
struct input_file {
  const char* label = "";    // what the file is, for diagnostics
  std::string file_name;
  std::FILE* file = nullptr;
  std::vector<char> buffer;  // bytes read ahead
  std::size_t pos = 0;       // next unread byte of the buffer
  std::size_t end = 0;       // bytes in the buffer
  bool at_end = false;       // the file has no more bytes to give
  bool failed = false;       // a read failed
  bool rewindable = true;    // a file on disk; false for a stream that can be read once
  bool in_memory = false;    // every byte of the file is in the buffer
  std::int64_t line_number = 0;  // lines read so far
};

// Opens `name` for reading. False when it cannot be opened or is a folder.
bool open_input_file(input_file& in, const char* label, const std::string& name);

// Reads the next line into `line` (without its line end). False at the end
// of the file or when a read fails (then `failed` is set).
bool read_input_line(input_file& in, std::string& line);

// Counts the lines left, reading to the end. Stops early (returning the count
// so far) when `progress` returns false; `progress` is called after each line.
template <typename Progress>
std::int64_t count_input_lines(input_file& in, Progress&& progress);

// Reads the rest of a file that can be read only once into the buffer, so
// that rewinding goes back to its first byte. False when a read fails.
bool keep_input_in_memory(input_file& in);

// Goes back to the first line. False when the file cannot go back.
bool rewind_input_file(input_file& in);

void close_input_file(input_file& in);

// Fills the buffer again; false when no byte is left.
bool refill_input(input_file& in);

template <typename Progress>
std::int64_t count_input_lines(input_file& in, Progress&& progress) {
  std::int64_t lines = 0;
  bool partial = false;  // bytes of a line not yet ended
  while (true) {
    if (in.pos >= in.end && !refill_input(in)) break;
    const char* start = in.buffer.data() + in.pos;
    const char* stop = in.buffer.data() + in.end;
    while (start < stop) {
      const void* lf = std::memchr(start, '\n', static_cast<std::size_t>(stop - start));
      if (lf == nullptr) {
        partial = true;
        start = stop;
        break;
      }
      start = static_cast<const char*>(lf) + 1;
      partial = false;
      ++lines;
      ++in.line_number;
      if (!progress(lines)) {
        in.pos = static_cast<std::size_t>(start - in.buffer.data());
        return lines;
      }
    }
    in.pos = in.end;
  }
  if (partial) {
    ++lines;
    ++in.line_number;
    progress(lines);
  }
  return lines;
}

}  // namespace veldmarsh
