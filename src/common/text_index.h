// A hash index of blank-padded texts: finds the first record or list entry
// that carries an identification or a breeder name without comparing it with
// every one. Open addressing over a power-of-two table of slots; each slot
// holds a 32-bit hash tag and a one-based position, so that most misses and
// collisions are settled without reading the text itself. The index keeps
// no texts: `key_at(position)` gives the text held at a position.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/fixed_text.h"

namespace veldmarsh {

namespace text_hash_detail {

inline std::uint64_t load64(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

// Multiplies and folds the 128-bit product: a fast, well-mixing step.
inline std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
  unsigned __int128 r = static_cast<unsigned __int128>(a) * b;
  return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
}

constexpr std::uint64_t k0 = 0xa0761d6478bd642full;
constexpr std::uint64_t k1 = 0xe7037ed1a0b428dbull;
constexpr std::uint64_t k2 = 0x8ebc6af09c88c6e3ull;
constexpr std::uint64_t k3 = 0x589965cc75374cc3ull;

}  // namespace text_hash_detail

// Hash of all N bytes, blanks included (texts are compared blank-padded, so
// "A" and " A" are different keys).
template <std::size_t N>
std::uint64_t hash_text(const fixed_text<N>& text) {
  using namespace text_hash_detail;
  const char* p = text.c;
  std::uint64_t h = k0;
  std::size_t i = 0;
  for (; i + 16 <= N; i += 16) h = mix(h ^ load64(p + i) ^ k1, load64(p + i + 8) ^ k2);
  char tail[16] = {};
  std::memcpy(tail, p + i, N - i);
  return mix(h ^ load64(tail) ^ k3, load64(tail + 8) ^ k0 ^ N);
}

template <std::size_t N>
struct text_index {
  std::vector<std::uint64_t> slots;  // (tag << 32) | position; 0 = empty
  std::uint64_t mask = 0;            // slots.size() - 1
  std::int64_t count = 0;            // positions held
};

// Makes `index` empty with room for `expected` positions at a load of at most
// one half.
template <std::size_t N>
void reset_text_index(text_index<N>& index, std::int64_t expected) {
  std::uint64_t size = 16;
  while (size < static_cast<std::uint64_t>(expected > 0 ? expected : 0) * 2) size *= 2;
  index.slots.assign(size, 0);
  index.mask = size - 1;
  index.count = 0;
}

// The position held for `text`, 0 when it is absent.
template <std::size_t N, typename KeyAt>
std::int32_t find_text(const text_index<N>& index, const fixed_text<N>& text, std::uint64_t hash, KeyAt&& key_at) {
  if (index.slots.empty()) return 0;
  const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32);
  for (std::uint64_t s = hash & index.mask;; s = (s + 1) & index.mask) {
    const std::uint64_t slot = index.slots[s];
    if (slot == 0) return 0;
    if (static_cast<std::uint32_t>(slot >> 32) == tag) {
      const std::int32_t position = static_cast<std::int32_t>(slot & 0xFFFFFFFFu);
      if (std::memcmp(key_at(position).c, text.c, N) == 0) return position;
    }
  }
}

// Adds `position` for `text` unless the text is held already; the position
// held first is kept (the first record in table order wins). Returns the
// position held for `text` afterwards. The index must have room (a load of
// at most one half).
template <std::size_t N, typename KeyAt>
std::int32_t insert_text(text_index<N>& index, const fixed_text<N>& text, std::uint64_t hash, std::int32_t position,
                         KeyAt&& key_at) {
  const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32);
  for (std::uint64_t s = hash & index.mask;; s = (s + 1) & index.mask) {
    const std::uint64_t slot = index.slots[s];
    if (slot == 0) {
      index.slots[s] = (static_cast<std::uint64_t>(tag) << 32) | static_cast<std::uint32_t>(position);
      ++index.count;
      return position;
    }
    if (static_cast<std::uint32_t>(slot >> 32) == tag) {
      const std::int32_t held = static_cast<std::int32_t>(slot & 0xFFFFFFFFu);
      if (std::memcmp(key_at(held).c, text.c, N) == 0) return held;
    }
  }
}

// Where a look-up of `hash` starts, so that a caller can prefetch it.
template <std::size_t N>
const std::uint64_t* first_slot(const text_index<N>& index, std::uint64_t hash) {
  return index.slots.data() + (hash & index.mask);
}

// An index of the first n entries of `list` (entry k, one-based, at position
// k) with room for `room` positions; a text listed twice keeps its first
// position.
template <std::size_t N>
void index_texts(text_index<N>& index, const std::vector<fixed_text<N>>& list, std::int64_t n, std::int64_t room) {
  reset_text_index(index, room);
  auto key_at = [&](std::int32_t k) -> const fixed_text<N>& { return list[static_cast<std::size_t>(k - 1)]; };
  for (std::int64_t k = 1; k <= n; ++k)
    insert_text(index, list[static_cast<std::size_t>(k - 1)], hash_text(list[static_cast<std::size_t>(k - 1)]),
                static_cast<std::int32_t>(k), key_at);
}

// The position of `text` in a list indexed by index_texts, 0 when absent.
template <std::size_t N>
std::int32_t find_in_list(const text_index<N>& index, const std::vector<fixed_text<N>>& list,
                          const fixed_text<N>& text) {
  return find_text(index, text, hash_text(text),
                   [&](std::int32_t k) -> const fixed_text<N>& { return list[static_cast<std::size_t>(k - 1)]; });
}

// Texts in the order first met, each once, with an index over them; the
// index grows with the list.
template <std::size_t N>
struct distinct_texts {
  std::vector<fixed_text<N>> list;
  text_index<N> index;
};

// Appends `text` (whose hash is `hash`) unless it is listed already.
template <std::size_t N>
void add_distinct_text(distinct_texts<N>& texts, const fixed_text<N>& text, std::uint64_t hash) {
  if (static_cast<std::uint64_t>(texts.index.count + 1) * 2 > texts.index.slots.size())
    index_texts(texts.index, texts.list, static_cast<std::int64_t>(texts.list.size()),
                static_cast<std::int64_t>(texts.list.size()) * 2 + 1);
  const std::int32_t next = static_cast<std::int32_t>(texts.list.size() + 1);
  auto key_at = [&](std::int32_t k) -> const fixed_text<N>& { return texts.list[static_cast<std::size_t>(k - 1)]; };
  if (insert_text(texts.index, text, hash, next, key_at) == next) texts.list.push_back(text);
}

}  // namespace veldmarsh
