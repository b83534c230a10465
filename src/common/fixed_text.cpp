// Blank-padded text helpers.
#include "common/fixed_text.h"

namespace veldmarsh {

std::string pad_text(std::string_view s, std::size_t n) {
  std::string out(s.substr(0, n));
  out.resize(n, ' ');
  return out;
}

std::string_view trim_right(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && s[end - 1] == ' ') --end;
  return s.substr(0, end);
}

std::string_view trim_both(std::string_view s) {
  s = trim_right(s);
  std::size_t begin = 0;
  while (begin < s.size() && s[begin] == ' ') ++begin;
  return s.substr(begin);
}

}  // namespace veldmarsh
