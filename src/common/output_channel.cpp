// Buffered line output with CR LF line ends.
#include "common/output_channel.h"

namespace veldmarsh {

namespace {
// Large blocks: a renumbered pedigree file of millions of lines is handed to
// the system in few writes.
constexpr std::size_t flush_threshold = 1 << 20;
}

void (*write_failure_handler)(output_channel& channel) = nullptr;

bool open_output_file(output_channel& channel, const std::string& name) {
  channel.file_name = name;
  channel.buffer.clear();
  channel.file = std::fopen(name.c_str(), "wb");
  channel.owns_file = channel.file != nullptr;
  return channel.file != nullptr;
}

void write_raw_line(output_channel& channel, std::string_view text) {
  if (channel.file == nullptr) return;
  channel.buffer.append(text);
  channel.buffer.append("\r\n", 2);
  if (channel.buffer.size() >= flush_threshold && !flush_channel(channel) && write_failure_handler != nullptr)
    write_failure_handler(channel);
}

bool flush_channel(output_channel& channel) {
  if (channel.file == nullptr) return true;
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

}  // namespace veldmarsh
