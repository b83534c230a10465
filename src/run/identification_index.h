// An index of 50-character identifications: finds the first record (or list
// entry) that carries an identification without comparing it with every
// record. Open addressing over a power-of-two table of slots; each slot
// holds a 32-bit hash tag and a one-based position, so most misses and
// collisions are settled without reading the identification itself.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/animal_record.h"
#include "common/fixed_text.h"

namespace veldmarsh {

using identification = fixed_text<50>;

// Hash of all 50 bytes, blanks included (identifications are compared as
// blank-padded texts, so "A" and " A" are different keys).
std::uint64_t hash_identification(const identification& id);

struct identification_index {
  std::vector<std::uint64_t> slots;  // (tag << 32) | position; 0 = empty
  std::uint64_t mask = 0;            // slots.size() - 1
  std::int64_t count = 0;            // positions held
};

// Makes an empty index with room for `expected` positions at a load of at
// most one half.
void reset_identification_index(identification_index& index, std::int64_t expected);

// Looks `id` up. `key_at(position)` returns the identification stored at a
// position. Returns the position, or 0 when the identification is absent.
template <typename KeyAt>
std::int32_t find_identification(const identification_index& index, const identification& id,
                                 std::uint64_t hash, KeyAt&& key_at) {
  if (index.slots.empty()) return 0;
  const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32);
  for (std::uint64_t s = hash & index.mask;; s = (s + 1) & index.mask) {
    std::uint64_t slot = index.slots[s];
    if (slot == 0) return 0;
    if (static_cast<std::uint32_t>(slot >> 32) == tag) {
      std::int32_t position = static_cast<std::int32_t>(slot & 0xFFFFFFFFu);
      if (std::memcmp(key_at(position).c, id.c, sizeof id.c) == 0) return position;
    }
  }
}

// Adds `position` for `id` unless the identification is already held; the
// position held first is kept (the first record in table order wins).
// Returns the position held for `id` afterwards.
template <typename KeyAt>
std::int32_t insert_identification(identification_index& index, const identification& id, std::uint64_t hash,
                                   std::int32_t position, KeyAt&& key_at) {
  const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32);
  for (std::uint64_t s = hash & index.mask;; s = (s + 1) & index.mask) {
    std::uint64_t slot = index.slots[s];
    if (slot == 0) {
      index.slots[s] = (static_cast<std::uint64_t>(tag) << 32) | static_cast<std::uint32_t>(position);
      ++index.count;
      return position;
    }
    if (static_cast<std::uint32_t>(slot >> 32) == tag) {
      std::int32_t held = static_cast<std::int32_t>(slot & 0xFFFFFFFFu);
      if (std::memcmp(key_at(held).c, id.c, sizeof id.c) == 0) return held;
    }
  }
}

// Where a lookup of `hash` starts, so that a caller can prefetch it.
inline const std::uint64_t* first_slot(const identification_index& index, std::uint64_t hash) {
  return index.slots.data() + (hash & index.mask);
}

// Calls visit(i, sire_hash, dam_hash) for records 1..animal.size() in table
// order. The parents' identifications are hashed a few records ahead and
// their first slots fetched early, so that look-ups in a large table wait
// less on memory.
template <typename Visit>
void for_each_parent_hash(const identification_index& index, const animal_table& animal, Visit&& visit) {
  constexpr std::int64_t ahead = 8;
  const std::int64_t n = animal.size();
  std::uint64_t sire_hash[ahead], dam_hash[ahead];
  for (std::int64_t first = 1; first <= n; first += ahead) {
    std::int64_t last = first + ahead - 1 < n ? first + ahead - 1 : n;
    for (std::int64_t i = first; i <= last; ++i) {
      sire_hash[i - first] = hash_identification(animal[i].sire_id);
      dam_hash[i - first] = hash_identification(animal[i].dam_id);
      __builtin_prefetch(first_slot(index, sire_hash[i - first]));
      __builtin_prefetch(first_slot(index, dam_hash[i - first]));
    }
    for (std::int64_t i = first; i <= last; ++i) visit(i, sire_hash[i - first], dam_hash[i - first]);
  }
}

// Indexes the identification (`herdbook_nr`) of records 1..animal.size();
// when an identification occurs more than once the first record keeps it.
void index_herdbook_numbers(identification_index& index, const animal_table& animal);

// The first record whose identification is `id`, 0 when there is none.
inline std::int32_t find_herdbook_nr(const identification_index& index, const animal_table& animal,
                                     const identification& id, std::uint64_t hash) {
  return find_identification(index, id, hash,
                             [&](std::int32_t row) -> const identification& { return animal[row].herdbook_nr; });
}

}  // namespace veldmarsh
