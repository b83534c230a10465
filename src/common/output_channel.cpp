// Buffered line output with CR LF line ends.
#include "common/output_channel.h"

#include <chrono>

#include "common/platform.h"

namespace veldmarsh {

namespace {
// Large blocks: a renumbered pedigree file of millions of lines is handed to
// the system in few writes.
constexpr std::size_t flush_threshold = 1 << 20;

// The shortest time between two writes to a terminal, in microseconds.
constexpr std::int64_t terminal_interval = 10000;

std::int64_t steady_microseconds() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

void (*write_failure_handler)(output_channel& channel) = nullptr;

namespace {
// Gives the channel the file opened for `name` (nullptr: none) and, when it
// held lines until then, those lines.
bool take_file(output_channel& channel, const std::string& name, std::FILE* file) {
  channel.file_name = name;
  channel.temporary_name.clear();
  if (!channel.held) channel.buffer.clear();
  channel.held = false;
  channel.file = file;
  channel.owns_file = file != nullptr;
  return file != nullptr;
}
}  // namespace

bool open_output_file(output_channel& channel, const std::string& name) {
  return take_file(channel, name, std::fopen(name.c_str(), "wb"));
}

void use_output_file(output_channel& channel, const std::string& name, std::FILE* file) {
  take_file(channel, name, file);
}

bool open_output_file_under(output_channel& channel, const std::string& name, const std::string& temporary) {
  std::remove(temporary.c_str());
  if (!take_file(channel, name, create_new_file(temporary))) return false;
  channel.temporary_name = temporary;
  return true;
}

void write_raw_line(output_channel& channel, std::string_view text) {
  if ((channel.file == nullptr && !channel.held) || channel.lost) return;
  channel.buffer.append(text);
  channel.buffer.append("\r\n", 2);
  if (channel.buffer.size() >= flush_threshold)
    hand_on_lines(channel);
  else if (channel.terminal)
    show_progress(channel);
}

void hand_on_lines(output_channel& channel) {
  if (channel.terminal) channel.handed_on_at = steady_microseconds();
  if (!flush_channel(channel) && write_failure_handler != nullptr) write_failure_handler(channel);
}

void show_progress(output_channel& channel) {
  if (channel.terminal && steady_microseconds() - channel.handed_on_at < terminal_interval) return;
  hand_on_lines(channel);
}

bool flush_channel(output_channel& channel) {
  if (channel.file == nullptr || channel.lost) return true;
  bool ok = true;
  if (!channel.buffer.empty()) {
    ok = std::fwrite(channel.buffer.data(), 1, channel.buffer.size(), channel.file) ==
         channel.buffer.size();
    channel.buffer.clear();
  }
  if (std::fflush(channel.file) != 0) ok = false;
  return ok;
}

bool close_channel(output_channel& channel) {
  bool ok = flush_channel(channel);
  if (channel.owns_file && channel.file != nullptr) {
    if (std::fclose(channel.file) != 0) ok = false;
  }
  channel.file = nullptr;
  channel.owns_file = false;
  return ok;
}

void abandon_output_file(output_channel& channel) {
  close_channel(channel);
  if (!channel.temporary_name.empty()) std::remove(channel.temporary_name.c_str());
  channel.temporary_name.clear();
}

void lose_channel(output_channel& channel) {
  channel.lost = true;
  channel.buffer.clear();
}

}  // namespace veldmarsh
