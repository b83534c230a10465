// Buffered line output with CR LF line ends.
#include "common/output_channel.h"

#include "common/platform.h"

namespace veldmarsh {

namespace {
// Large blocks: a renumbered pedigree file of millions of lines is handed to
// the system in few writes.
constexpr std::size_t flush_threshold = 1 << 20;
}

void (*write_failure_handler)(output_channel& channel) = nullptr;

bool open_output_file(output_channel& channel, const std::string& name) {
  channel.file_name = name;
  channel.temporary_name.clear();
  if (!channel.held) channel.buffer.clear();
  channel.held = false;
  channel.file = std::fopen(name.c_str(), "wb");
  channel.owns_file = channel.file != nullptr;
  return channel.file != nullptr;
}

bool open_output_file_under(output_channel& channel, const std::string& name, const std::string& temporary) {
  // A leftover of a run that did not end is removed first, so that a link
  // of that name is not written through.
  std::remove(temporary.c_str());
  const bool opened = open_output_file(channel, temporary);
  channel.file_name = name;
  if (opened) channel.temporary_name = temporary;
  return opened;
}

void write_raw_line(output_channel& channel, std::string_view text) {
  if (channel.file == nullptr && !channel.held) return;
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

bool finish_output_file(output_channel& channel) {
  bool ok = close_channel(channel);
  if (channel.temporary_name.empty()) return ok;
  ok = ok && replace_file(channel.temporary_name, channel.file_name);
  if (!ok) std::remove(channel.temporary_name.c_str());
  channel.temporary_name.clear();
  return ok;
}

void abandon_output_file(output_channel& channel) {
  close_channel(channel);
  if (!channel.temporary_name.empty()) std::remove(channel.temporary_name.c_str());
  channel.temporary_name.clear();
}

}  // namespace veldmarsh
