// Free-format lines: every message, title, label and progress line.
//
// A text item is written with all its bytes (trailing blanks included); an
// integer takes 12 columns right-justified; a logical takes 2 (" T" or " F").
// A text that begins a line or follows a number gets one blank before it;
// consecutive texts are joined. A line holds at most 80 characters: a number
// that does not fit starts the next line in column 1, a text that does not
// fit starts a new line after one blank, and a text longer than 79 is cut at
// column 80 and continued on the next line after one blank.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"
#include "common/output_channel.h"

namespace veldmarsh {

// One item of a free-format line.
struct free_item {
  enum kind_t { text, integer, logical } kind;
  std::string_view s;  // text items
  std::int64_t i = 0;  // integer items; logical items: 0 or 1

  free_item(const char* t) : kind(text), s(t) {}
  free_item(std::string_view t) : kind(text), s(t) {}
  free_item(const std::string& t) : kind(text), s(t) {}
  template <std::size_t N>
  free_item(const fixed_text<N>& t) : kind(text), s(t.view()) {}
  free_item(int v) : kind(integer), i(v) {}
  free_item(long v) : kind(integer), i(v) {}
  free_item(long long v) : kind(integer), i(v) {}
  free_item(kind_t k, std::string_view t, std::int64_t v) : kind(k), s(t), i(v) {}
};

// A logical item (written " T" or " F").
inline free_item logical_item(bool value) { return free_item(free_item::logical, {}, value ? 1 : 0); }

// The lines (without line ends) that a list of items makes.
std::vector<std::string> build_free_lines(std::span<const free_item> items);

void write_free_line(output_channel& channel, std::initializer_list<free_item> items);
void write_free_line(output_channel& channel, std::span<const free_item> items);

// The same line to the console, then to the log (the usual order of a pair).
struct run_context;
void write_console_and_log(run_context& ctx, std::initializer_list<free_item> items);

}  // namespace veldmarsh
