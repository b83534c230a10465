// Buffered line reading.
#include "common/line_input.h"

#include "common/platform.h"

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
  in.in_memory = false;
  in.line_number = 0;
  if (in.file == nullptr) return false;
  const open_file_kind kind = kind_of_open_file(in.file);
  if (kind == open_file_kind::folder) {
    close_input_file(in);
    return false;
  }
  in.rewindable = kind == open_file_kind::disk_file;
  return true;
}

bool keep_input_in_memory(input_file& in) {
  if (in.pos > 0) {
    in.buffer.erase(in.buffer.begin(), in.buffer.begin() + static_cast<std::ptrdiff_t>(in.pos));
    in.end -= in.pos;
    in.pos = 0;
  }
  while (!in.at_end && in.file != nullptr) {
    if (in.end == in.buffer.size()) in.buffer.resize(in.buffer.size() * 2);
    const std::size_t n = std::fread(in.buffer.data() + in.end, 1, in.buffer.size() - in.end, in.file);
    in.end += n;
    if (n == 0) {
      in.at_end = true;
      if (std::ferror(in.file)) in.failed = true;
    }
  }
  in.in_memory = true;
  return !in.failed;
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

bool rewind_input_file(input_file& in) {
  in.line_number = 0;
  in.failed = false;
  if (in.in_memory) {
    in.pos = 0;
    return true;
  }
  if (in.file == nullptr) return false;
  in.pos = in.end = 0;
  in.at_end = false;
  std::clearerr(in.file);
  return std::fseek(in.file, 0, SEEK_SET) == 0;
}

void close_input_file(input_file& in) {
  if (in.file != nullptr) std::fclose(in.file);
  in.file = nullptr;
}

}  // namespace veldmarsh
