// Fixed-layout lines: numeric table rows and the renumbered pedigree file.
//
// A format text is "(" items ")" with items Iw, Iw.m, Fw.d, Aw, A and nX, each
// with an optional repeat count. Fields follow each other with nothing
// between them; a value too wide for its field shows as w asterisks. Fw.d
// rounds the exact binary value of the number, ties to even. When values are
// left after the last item the format starts again on a new line; output
// stops at the first data item for which no value is left.
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

// One value for a fixed-layout line.
struct fixed_value {
  enum kind_t { integer, real, text } kind;
  std::int64_t i = 0;
  double r = 0;        // single-precision values convert exactly
  std::string_view s;

  fixed_value(int v) : kind(integer), i(v) {}
  fixed_value(long v) : kind(integer), i(v) {}
  fixed_value(long long v) : kind(integer), i(v) {}
  fixed_value(float v) : kind(real), r(v) {}
  fixed_value(double v) : kind(real), r(v) {}
  fixed_value(const char* t) : kind(text), s(t) {}
  fixed_value(std::string_view t) : kind(text), s(t) {}
  fixed_value(const std::string& t) : kind(text), s(t) {}
  template <std::size_t N>
  fixed_value(const fixed_text<N>& t) : kind(text), s(t.view()) {}
};

// Field writers, each exactly w characters (asterisks when the value does not fit).
std::string format_integer(std::int64_t v, int w, int m = -1);
std::string format_real(double v, int w, int d);
std::string format_text(std::string_view s, int w);

// The same fields written straight into the w characters at `out`, which
// hold blanks already, for lines written in great numbers (the renumbered
// pedigree file): Iw, and Fw.d of a single-precision value.
void put_integer_field(char* out, std::int64_t v, int w);
void put_real_field(char* out, float v, int w, int d);

// One item of a format text: the code 'I', 'F', 'A' or 'X', the width w
// (for X the count n; -1 for A without width) and m of Iw.m or d of Fw.d
// (-1 when absent).
struct edit_item {
  char code;
  int width;
  int digits;
};

// A format text taken apart, repeat counts expanded. A loop that writes many
// lines with one format takes it apart once.
struct fixed_layout {
  std::vector<edit_item> items;
};

// The items of `format`. What is not an item is passed over: every format
// text of the program is held against format_error by a test, not at run time.
fixed_layout parse_format(std::string_view format);

// What is wrong with `format`; empty when it is a format text of the items
// above, separated by commas, in parentheses.
std::string format_error(std::string_view format);

// The lines (without line ends) that `layout` makes of `values`.
std::vector<std::string> build_fixed_lines(const fixed_layout& layout, std::span<const fixed_value> values);
std::vector<std::string> build_fixed_lines(std::string_view format, std::span<const fixed_value> values);

void write_fixed_line(output_channel& channel, const fixed_layout& layout, std::span<const fixed_value> values);
void write_fixed_line(output_channel& channel, const fixed_layout& layout, std::initializer_list<fixed_value> values);
void write_fixed_line(output_channel& channel, std::string_view format, std::span<const fixed_value> values);
void write_fixed_line(output_channel& channel, std::string_view format,
                      std::initializer_list<fixed_value> values);

// A row format whose column count is known only at run time: the skeleton
// (for example "(I8,005I8)") with the count written over its "005", at
// least three digits, zero-padded.
std::string build_run_format(std::string_view skeleton, std::int64_t count);

}  // namespace veldmarsh
