// Buffered line reading.
#include "common/line_input.h"

namespace veldmarsh {

namespace {
constexpr std::size_t chunk = 1 << 20;
}

bool open_input_file(input_file& in, const char* label, const std::string& name) {
  in.label = label;
  in.file_name = name;
  in.file = std::fopen(name.c_str(), "rb");
  in.buffer.assign(chunk, 0);
  in.pos = in.end = 0;
  in.at_end = false;
  in.failed = false;
  in.line_number = 0;
  return in.file != nullptr;
}

bool refill_input(input_file& in) {
  if (in.at_end || in.file == nullptr) return false;
  in.pos = 0;
  in.end = std::fread(in.buffer.data(), 1, in.buffer.size(), in.file);
  if (in.end == 0) {
    in.at_end = true;
    if (std::ferror(in.file)) in.failed = true;
    return false;
  }
  return true;
}

bool read_input_line(input_file& in, std::string& line) {
  line.clear();
  bool any = false;
  while (true) {
    if (in.pos >= in.end && !refill_input(in)) break;
    any = true;
    const char* start = in.buffer.data() + in.pos;
    std::size_t left = in.end - in.pos;
    const void* lf = std::memchr(start, '\n', left);
    if (lf == nullptr) {
      line.append(start, left);
      in.pos = in.end;
      continue;
    }
    std::size_t n = static_cast<const char*>(lf) - start;
    line.append(start, n);
    in.pos += n + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++in.line_number;
    return true;
  }
  if (in.failed || !any) return false;
  // A last line without a line end.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ++in.line_number;
  return true;
}

void rewind_input_file(input_file& in) {
  if (in.file == nullptr) return;
  std::rewind(in.file);
  in.pos = in.end = 0;
  in.at_end = false;
  in.failed = false;
  in.line_number = 0;
}

void close_input_file(input_file& in) {
  if (in.file != nullptr) std::fclose(in.file);
  in.file = nullptr;
}

}  // namespace veldmarsh
