// Texts stored once (see the header). The index is open addressing over a
// power-of-two table at a load of at most two thirds; each slot holds a 32-bit
// tag of the hash beside the number, so that most collisions are settled
// without reading the text.
#include "common/text_pool.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace veldmarsh {

namespace {

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

std::uint64_t hash_of(std::string_view text) {
  constexpr std::uint64_t k0 = 0xa0761d6478bd642full, k1 = 0xe7037ed1a0b428dbull, k2 = 0x8ebc6af09c88c6e3ull;
  const char* p = text.data();
  std::size_t n = text.size();
  std::uint64_t h = k0 ^ n;
  for (; n >= 16; p += 16, n -= 16) h = mix(h ^ load64(p) ^ k1, load64(p + 8) ^ k2);
  char tail[16] = {};
  if (n > 0) std::memcpy(tail, p, n);
  return mix(h ^ load64(tail) ^ k1, load64(tail + 8) ^ k0);
}

inline std::uint32_t tag_of(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

// Equal texts; most unequal ones of equal length differ in their first
// eight bytes, which are compared without a call.
inline bool same_text(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() >= 8 && load64(a.data()) != load64(b.data())) return false;
  return std::memcmp(a.data(), b.data(), a.size()) == 0;
}

// The slot that holds `text`, or the empty slot where it would go.
std::uint64_t slot_of(const text_pool& pool, std::string_view text, std::uint64_t hash) {
  const std::uint32_t tag = tag_of(hash);
  for (std::uint64_t s = hash & pool.mask;; s = (s + 1) & pool.mask) {
    const std::uint64_t slot = pool.slots[s];
    if (slot == 0) return s;
    if (static_cast<std::uint32_t>(slot >> 32) == tag &&
        same_text(stored_text(pool, static_cast<std::uint32_t>(slot & 0xFFFFFFFFu) - 1), text))
      return s;
  }
}

// An index with room for `room` texts, holding every text stored.
void build_index(text_pool& pool, std::uint64_t room) {
  std::uint64_t size = 16;
  while (size < room * 3 / 2) size *= 2;
  pool.slots.assign(size, 0);
  pool.mask = size - 1;
  for (std::uint32_t k = 0; k < text_count(pool); ++k) {
    const std::string_view text = stored_text(pool, k);
    const std::uint64_t hash = hash_of(text);
    pool.slots[slot_of(pool, text, hash)] = (static_cast<std::uint64_t>(tag_of(hash)) << 32) | (k + 1ull);
  }
}

// Makes `number` the latest of the recent texts; `at` is its place among
// them, or the last place when it is new to them.
inline std::uint32_t note_recent(text_pool& pool, std::uint32_t number, int at) {
  for (int k = at; k > 0; --k) pool.recent[k] = pool.recent[k - 1];
  pool.recent[0] = number;
  return number;
}

constexpr int n_recent = sizeof(text_pool::recent) / sizeof(text_pool::recent[0]);

// The place among the recent texts of `text`; -1 when it is none of them.
inline int recent_place(const text_pool& pool, std::string_view text) {
  for (int k = 0; k < n_recent; ++k)
    if (same_text(stored_text(pool, pool.recent[k]), text)) return k;
  return -1;
}

// Appends `text` (in stored form) under the next number.
std::uint32_t append_text(text_pool& pool, std::string_view text) {
  const std::uint64_t count = text_count(pool);
  // Numbers and their slot entries are 32-bit; no pedigree that fits in
  // memory comes near.
  if (count >= 0xFFFFFFFEull) throw std::bad_alloc();
  pool.bytes.append(text);
  pool.ends.push_back(pool.bytes.size());
  return static_cast<std::uint32_t>(count);
}

}  // namespace

text_pool make_text_pool(std::size_t width, std::initializer_list<std::string_view> first_texts) {
  text_pool pool;
  pool.width = width;
  pool.ends.push_back(0);
  pool.ends.push_back(0);  // number 0: the blank text
  build_index(pool, 8);
  for (std::string_view text : first_texts) store_text(pool, text);
  return pool;
}

std::string_view stored_form(const text_pool& pool, std::string_view text) {
  if (text.size() > pool.width) text = text.substr(0, pool.width);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::uint32_t add_text(text_pool& pool, std::string_view text) {
  text = stored_form(pool, text);
  if (const int k = recent_place(pool, text); k >= 0) return note_recent(pool, pool.recent[k], k);
  if (pool.merged) {
    pool.merged = false;
    drop_text_index(pool);
  }
  return note_recent(pool, append_text(pool, text), n_recent - 1);
}

std::vector<std::uint32_t> merge_equal_texts(text_pool& pool) {
  const std::uint32_t count = text_count(pool);
  std::vector<std::uint32_t> new_number(count);
  text_pool merged;
  merged.width = pool.width;
  merged.ends.reserve(static_cast<std::size_t>(count) + 1);
  merged.ends.push_back(0);
  merged.bytes.reserve(pool.bytes.size());
  // Room for three quarters of the texts at a load of two thirds: most
  // merged pools hold far fewer texts than were added (parents are named
  // again and again); were they all distinct, the load would still stay
  // below nine tenths.
  build_index(merged, static_cast<std::uint64_t>(count) * 3 / 4);
  // Texts a few places ahead are hashed and what their look-up will read is
  // fetched early, in steps: the slot, then (when its tag matches) the end
  // of the text it holds, then that text; so the waits for memory of
  // neighbouring texts overlap. The steps are only hints: the look-up itself
  // follows at the text's turn.
  constexpr std::uint32_t step = 8, ring = 4 * step;
  std::uint64_t hashes[ring];
  auto held_number = [&](std::uint32_t k) -> std::int64_t {  // at the first slot, when its tag matches
    const std::uint64_t h = hashes[k % ring];
    const std::uint64_t slot = merged.slots[h & merged.mask];
    return slot != 0 && static_cast<std::uint32_t>(slot >> 32) == tag_of(h)
               ? static_cast<std::int64_t>(slot & 0xFFFFFFFFu) - 1
               : -1;
  };
  for (std::uint32_t k = 0; k < count + 3 * step; ++k) {
    if (k < count) {
      hashes[k % ring] = hash_of(stored_text(pool, k));
      __builtin_prefetch(merged.slots.data() + (hashes[k % ring] & merged.mask));
    }
    if (k >= step && k - step < count) {
      if (const std::int64_t number = held_number(k - step); number >= 0) __builtin_prefetch(&merged.ends[number]);
    }
    if (k >= 2 * step && k - 2 * step < count) {
      if (const std::int64_t number = held_number(k - 2 * step); number >= 0)
        __builtin_prefetch(merged.bytes.data() + merged.ends[static_cast<std::size_t>(number)]);
    }
    if (k < 3 * step) continue;
    const std::uint32_t j = k - 3 * step;
    const std::string_view text = stored_text(pool, j);
    const std::uint64_t hash = hashes[j % ring];
    const std::uint64_t s = slot_of(merged, text, hash);
    if (merged.slots[s] == 0) {
      const std::uint32_t number = append_text(merged, text);
      merged.slots[s] = (static_cast<std::uint64_t>(tag_of(hash)) << 32) | (number + 1ull);
    }
    new_number[j] = static_cast<std::uint32_t>(merged.slots[s] & 0xFFFFFFFFu) - 1;
  }
  merged.bytes.shrink_to_fit();
  pool = std::move(merged);
  return new_number;
}

std::uint32_t store_text(text_pool& pool, std::string_view text) {
  if (!pool.merged) return add_text(pool, text);
  text = stored_form(pool, text);
  if (const int k = recent_place(pool, text); k >= 0) return note_recent(pool, pool.recent[k], k);
  const std::uint64_t count = text_count(pool);
  if (pool.slots.empty() || (count + 1) * 3 > pool.slots.size() * 2) build_index(pool, count * 2 + 1);
  const std::uint64_t hash = hash_of(text);
  const std::uint64_t s = slot_of(pool, text, hash);
  if (pool.slots[s] != 0)
    return note_recent(pool, static_cast<std::uint32_t>(pool.slots[s] & 0xFFFFFFFFu) - 1, n_recent - 1);
  const std::uint32_t number = append_text(pool, text);
  pool.slots[s] = (static_cast<std::uint64_t>(tag_of(hash)) << 32) | (number + 1ull);
  return note_recent(pool, number, n_recent - 1);
}

std::int64_t find_text(const text_pool& pool, std::string_view text) {
  text = stored_form(pool, text);
  if (pool.slots.empty() || !pool.merged) {
    for (std::uint32_t k = 0; k < text_count(pool); ++k)
      if (stored_text(pool, k) == text) return k;
    return -1;
  }
  const std::uint64_t slot = pool.slots[slot_of(pool, text, hash_of(text))];
  return slot == 0 ? -1 : static_cast<std::int64_t>(slot & 0xFFFFFFFFu) - 1;
}

void drop_text_index(text_pool& pool) {
  pool.slots = {};
  pool.mask = 0;
}

}  // namespace veldmarsh
