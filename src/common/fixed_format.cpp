// Fortran-style edit descriptors for fixed-layout lines.
#include "common/fixed_format.h"

#include <cassert>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace veldmarsh {

namespace {

int read_number(std::string_view f, std::size_t& p) {
  int v = 0;
  bool any = false;
  while (p < f.size() && f[p] >= '0' && f[p] <= '9') {
    v = v * 10 + (f[p] - '0');
    ++p;
    any = true;
  }
  return any ? v : -1;
}

std::string stars(int w) { return std::string(w > 0 ? w : 0, '*'); }

}  // namespace

fixed_layout parse_format(std::string_view f) {
  fixed_layout layout;
  std::size_t p = 0;
  if (p < f.size() && f[p] == '(') ++p;
  while (p < f.size() && f[p] != ')') {
    if (f[p] == ',' || f[p] == ' ') {
      ++p;
      continue;
    }
    int count = read_number(f, p);
    if (p >= f.size()) break;
    const char code = static_cast<char>(std::toupper(static_cast<unsigned char>(f[p++])));
    if (code == 'X') {
      layout.items.push_back({'X', count < 0 ? 1 : count, -1});
      continue;
    }
    if (code != 'I' && code != 'F' && code != 'A') continue;
    const int width = read_number(f, p);
    int digits = -1;
    if (p < f.size() && f[p] == '.') {
      ++p;
      digits = read_number(f, p);
    }
    if (count < 0) count = 1;
    for (int k = 0; k < count; ++k) layout.items.push_back({code, width, digits});
  }
  return layout;
}

std::string format_error(std::string_view f) {
  if (f.size() < 3 || f.front() != '(' || f.back() != ')') return "not an item list in parentheses";
  std::size_t p = 1;
  const std::size_t end = f.size() - 1;
  while (true) {
    const std::size_t item = p;
    const int count = read_number(f, p);
    if (count == 0) return "a repeat count of 0 at character " + std::to_string(item + 1);
    if (p >= end) return "an item without a code at character " + std::to_string(item + 1);
    const char code = f[p++];
    const int width = code == 'X' ? 0 : read_number(f, p);
    int digits = -1;
    if (code != 'X' && p < end && f[p] == '.') {
      ++p;
      digits = read_number(f, p);
      if (digits < 0) return "a point without digits at character " + std::to_string(p);
    }
    const bool fits = (code == 'I' && width > 0) || (code == 'F' && width > 0 && digits >= 0) ||
                      (code == 'A' && width != 0 && digits < 0) || (code == 'X' && count > 0);
    if (!fits) return "an unknown or incomplete item at character " + std::to_string(item + 1);
    if (p == end) return "";
    if (f[p] != ',') return "no comma after the item at character " + std::to_string(item + 1);
    ++p;
  }
}


std::string format_integer(std::int64_t v, int w, int m) {
  char buf[40];
  unsigned long long mag = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  std::string digits(buf, std::to_chars(buf, buf + sizeof buf, mag).ptr);
  if (m >= 0 && static_cast<int>(digits.size()) < m) digits.insert(0, m - digits.size(), '0');
  if (m == 0 && v == 0) digits.clear();  // Iw.0 writes a zero as blanks
  if (v < 0) digits.insert(0, 1, '-');
  if (static_cast<int>(digits.size()) > w) return stars(w);
  return std::string(w - digits.size(), ' ') + digits;
}

std::string format_real(double v, int w, int d) {
  if (!std::isfinite(v)) return stars(w);
  if (v == 0) v = 0;  // an exact zero, also a negative one, has no sign
  // Rounded from the exact binary value, ties to even, like printf's %.*f.
  char buf[400];
  std::string s(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, d < 0 ? 0 : d).ptr);
  if (d <= 0) s += '.';
  // The zero before the point is optional: dropped when the field is too narrow.
  if (static_cast<int>(s.size()) > w) {
    std::size_t zero = s[0] == '-' ? 1 : 0;
    if (s.size() > zero + 1 && s[zero] == '0' && s[zero + 1] == '.') s.erase(zero, 1);
  }
  if (static_cast<int>(s.size()) > w) return stars(w);
  return std::string(w - s.size(), ' ') + s;
}

namespace {

// The number of decimal digits of `mag` (1 for 0).
inline int digit_count(unsigned long long mag) {
  int n = 1;
  while (mag >= 10) {
    mag /= 10;
    ++n;
  }
  return n;
}

// Writes the decimal digits of `mag` backwards, ending just before `end`,
// two at a time; returns where they begin.
inline char* put_digits_before(char* end, unsigned long long mag) {
  static constexpr char pairs[201] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char* p = end;
  while (mag >= 100) {
    const unsigned pair = static_cast<unsigned>(mag % 100);
    mag /= 100;
    p -= 2;
    p[0] = pairs[2 * pair];
    p[1] = pairs[2 * pair + 1];
  }
  if (mag >= 10) {
    p -= 2;
    p[0] = pairs[2 * mag];
    p[1] = pairs[2 * mag + 1];
  } else {
    *--p = static_cast<char>('0' + mag);
  }
  return p;
}

inline void put_stars(char* out, int w) {
  for (int k = 0; k < w; ++k) out[k] = '*';
}

}  // namespace

void put_integer_field(char* out, std::int64_t v, int w) {
  const unsigned long long mag =
      v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  if (digit_count(mag) + (v < 0 ? 1 : 0) > w) {
    put_stars(out, w);
    return;
  }
  char* p = put_digits_before(out + w, mag);
  if (v < 0) p[-1] = '-';
}

void put_real_field(char* out, float v, int w, int d) {
  // A float times 10^d (d up to 8) is exact in double, so rounding that
  // product to a whole number rounds the exact binary value, ties to even;
  // anything wider or not finite goes the general way.
  constexpr double scale[9] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  if (d < 0 || d > 8 || !(std::fabs(v) < 1e9f)) {
    const std::string field = format_real(v, w, d);
    for (int k = 0; k < w; ++k) out[k] = field[static_cast<std::size_t>(k)];
    return;
  }
  const double rounded = std::nearbyint(static_cast<double>(v) * scale[d]);
  unsigned long long units = static_cast<unsigned long long>(std::fabs(rounded));
  unsigned long long fraction = 0, ten_d = 1;
  for (int k = 0; k < d; ++k) ten_d *= 10;
  fraction = units % ten_d;
  units /= ten_d;
  // An exact zero, also a negative one, has no sign; a negative value that
  // rounds to zero keeps it. The zero before the point is optional: left
  // out when the field is too narrow for it.
  const int sign = v < 0 ? 1 : 0;
  int whole_digits = digit_count(units);
  if (sign + whole_digits + 1 + d > w && units == 0) whole_digits = 0;
  if (sign + whole_digits + 1 + d > w) {
    put_stars(out, w);
    return;
  }
  char* p = out + w;
  for (int k = 0; k < d; ++k) {
    *--p = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  *--p = '.';
  if (whole_digits > 0) p = put_digits_before(p, units);
  if (sign) p[-1] = '-';
}

std::string format_text(std::string_view s, int w) {
  if (w < 0) return std::string(s);
  if (static_cast<int>(s.size()) >= w) return std::string(s.substr(0, w));
  return std::string(w - s.size(), ' ') + std::string(s);
}

std::vector<std::string> build_fixed_lines(const fixed_layout& layout, std::span<const fixed_value> values) {
  const std::vector<edit_item>& items = layout.items;
  std::vector<std::string> lines;
  std::string line;
  std::size_t next = 0;
  bool has_data_item = false;
  for (const edit_item& e : items)
    if (e.code != 'X') has_data_item = true;
  if (!has_data_item) {
    // A format of blanks alone: one line, written once.
    for (const edit_item& e : items) line.append(e.width, ' ');
    lines.push_back(line);
    return lines;
  }
  std::size_t pending_blanks = 0;  // nX moves on; the blanks appear only before a later field
  while (true) {
    for (const edit_item& e : items) {
      if (e.code == 'X') {
        pending_blanks += e.width;
        continue;
      }
      if (next >= values.size()) {
        lines.push_back(line);
        return lines;
      }
      const fixed_value& v = values[next++];
      line.append(pending_blanks, ' ');
      pending_blanks = 0;
      switch (e.code) {
        case 'I':
          if (v.kind == fixed_value::integer) line += format_integer(v.i, e.width, e.digits);
          else if (v.kind == fixed_value::real) line += stars(e.width);
          else line += stars(e.width);
          break;
        case 'F':
          if (v.kind == fixed_value::real) line += format_real(v.r, e.width, e.digits);
          else if (v.kind == fixed_value::integer) line += format_real(static_cast<double>(v.i), e.width, e.digits);
          else line += stars(e.width);
          break;
        default:
          if (v.kind == fixed_value::text) line += format_text(v.s, e.width);
          else line += stars(e.width < 0 ? 1 : e.width);
          break;
      }
    }
    if (next >= values.size()) break;
    // Values left: the format starts again on a new line.
    lines.push_back(std::move(line));
    line.clear();
    pending_blanks = 0;
  }
  lines.push_back(line);
  return lines;
}

std::vector<std::string> build_fixed_lines(std::string_view format, std::span<const fixed_value> values) {
  assert(format_error(format).empty());
  return build_fixed_lines(parse_format(format), values);
}

void write_fixed_line(output_channel& channel, const fixed_layout& layout, std::span<const fixed_value> values) {
  for (const std::string& l : build_fixed_lines(layout, values)) write_raw_line(channel, l);
}

void write_fixed_line(output_channel& channel, const fixed_layout& layout, std::initializer_list<fixed_value> values) {
  write_fixed_line(channel, layout, std::span<const fixed_value>(values.begin(), values.size()));
}

void write_fixed_line(output_channel& channel, std::string_view format, std::span<const fixed_value> values) {
  for (const std::string& l : build_fixed_lines(format, values)) write_raw_line(channel, l);
}

void write_fixed_line(output_channel& channel, std::string_view format,
                      std::initializer_list<fixed_value> values) {
  write_fixed_line(channel, format, std::span<const fixed_value>(values.begin(), values.size()));
}

std::string build_run_format(std::string_view skeleton, std::int64_t count) {
  std::string out(skeleton);
  char buf[24];
  std::snprintf(buf, sizeof buf, "%03lld", static_cast<long long>(count));
  if (out.size() >= 7) out.replace(4, 3, buf);
  return out;
}

}  // namespace veldmarsh
