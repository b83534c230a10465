// Layout of free-format lines (see free_format.h for the rules).
#include "common/free_format.h"

#include <cstdio>

#include "common/run_context.h"

namespace veldmarsh {

namespace {
constexpr std::size_t line_width = 80;

std::string integer_field(std::int64_t v) {
  char buf[32];
  int n = std::snprintf(buf, sizeof buf, "%12lld", static_cast<long long>(v));
  return std::string(buf, n);
}
}  // namespace

std::vector<std::string> build_free_lines(std::span<const free_item> items) {
  std::vector<std::string> lines;
  std::string line;
  bool last_was_number = false;  // the item before, on this line, was an integer or logical
  auto new_line = [&]() {
    lines.push_back(std::move(line));
    line.clear();
    last_was_number = false;
  };
  for (const free_item& item : items) {
    if (item.kind != free_item::text) {
      std::string field = item.kind == free_item::integer ? integer_field(item.i)
                                                          : std::string(item.i ? " T" : " F");
      if (!line.empty() && line.size() + field.size() > line_width) new_line();
      line += field;
      last_was_number = true;
      continue;
    }
    std::string_view t = item.s;
    bool blank_due = line.empty() || last_was_number;
    std::size_t need = t.size() + (blank_due ? 1 : 0);
    if (line.size() + need <= line_width) {
      if (blank_due) line += ' ';
      line += t;
    } else {
      if (!line.empty()) new_line();
      // A fresh line: one blank, then the text, cut at column 80 as often as needed.
      line += ' ';
      while (line.size() + t.size() > line_width) {
        std::size_t room = line_width - line.size();
        line += t.substr(0, room);
        t.remove_prefix(room);
        new_line();
        line += ' ';
      }
      line += t;
    }
    last_was_number = false;
  }
  if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

void write_free_line(output_channel& channel, std::span<const free_item> items) {
  for (const std::string& l : build_free_lines(items)) write_raw_line(channel, l);
}

void write_free_line(output_channel& channel, std::initializer_list<free_item> items) {
  write_free_line(channel, std::span<const free_item>(items.begin(), items.size()));
}

void write_console_and_log(run_context& ctx, std::initializer_list<free_item> items) {
  write_free_line(ctx.console, items);
  write_free_line(ctx.log, items);
}

}  // namespace veldmarsh
