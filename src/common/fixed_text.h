// Fixed-length texts padded with blanks, as identifications, names and codes
// are stored and compared throughout the run (identification 50 characters,
// colour 40, breeder and subpopulation 20, file names 100).
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace veldmarsh {

// A text of exactly N bytes, blank-padded; compared byte for byte.
template <std::size_t N>
struct fixed_text {
  char c[N];

  std::string_view view() const { return std::string_view(c, N); }
  bool operator==(const fixed_text& other) const { return std::memcmp(c, other.c, N) == 0; }
};

// Copies the first N bytes of `from` into `to`, padding with blanks.
template <std::size_t N>
void set_text(fixed_text<N>& to, std::string_view from) {
  std::size_t n = from.size() < N ? from.size() : N;
  if (n > 0) std::memcpy(to.c, from.data(), n);
  std::memset(to.c + n, ' ', N - n);
}

template <std::size_t N>
fixed_text<N> make_text(std::string_view from) {
  fixed_text<N> t;
  set_text(t, from);
  return t;
}

// True when every byte is a blank.
template <std::size_t N>
bool is_blank(const fixed_text<N>& t) {
  for (std::size_t i = 0; i < N; ++i)
    if (t.c[i] != ' ') return false;
  return true;
}

// `s` padded with blanks (or cut) to exactly n bytes.
std::string pad_text(std::string_view s, std::size_t n);

// `s` without trailing blanks.
std::string_view trim_right(std::string_view s);

// `s` without leading and trailing blanks.
std::string_view trim_both(std::string_view s);

template <std::size_t N>
std::string_view trimmed(const fixed_text<N>& t) {
  return trim_right(t.view());
}

}  // namespace veldmarsh
