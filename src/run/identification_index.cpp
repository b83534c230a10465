// Hashing of identifications and the sizing of their index.
#include "run/identification_index.h"

#include <cassert>

namespace veldmarsh {

namespace {

std::uint64_t load64(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

// Multiplies and folds the 128-bit product: a fast, well-mixing step.
std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
  unsigned __int128 r = static_cast<unsigned __int128>(a) * b;
  return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
}

constexpr std::uint64_t k0 = 0xa0761d6478bd642full;
constexpr std::uint64_t k1 = 0xe7037ed1a0b428dbull;
constexpr std::uint64_t k2 = 0x8ebc6af09c88c6e3ull;
constexpr std::uint64_t k3 = 0x589965cc75374cc3ull;

}  // namespace

std::uint64_t hash_identification(const identification& id) {
  static_assert(sizeof id.c == 50);
  const char* p = id.c;
  std::uint64_t h = mix(load64(p) ^ k0, load64(p + 8) ^ k1);
  h = mix(h ^ load64(p + 16) ^ k2, load64(p + 24) ^ k1);
  h = mix(h ^ load64(p + 32) ^ k3, load64(p + 40) ^ k0);
  std::uint64_t tail = static_cast<unsigned char>(p[48]) | (static_cast<std::uint64_t>(static_cast<unsigned char>(p[49])) << 8);
  return mix(h ^ tail ^ k2, k3);
}

void reset_identification_index(identification_index& index, std::int64_t expected) {
  assert(expected >= 0);
  std::uint64_t size = 16;
  while (size < static_cast<std::uint64_t>(expected) * 2) size *= 2;
  index.slots.assign(size, 0);
  index.mask = size - 1;
  index.count = 0;
}

void index_herdbook_numbers(identification_index& index, const animal_table& animal) {
  const std::int64_t n = animal.size();
  reset_identification_index(index, n);
  auto key_at = [&](std::int32_t row) -> const identification& { return animal[row].herdbook_nr; };
  // Hashes a few records ahead and fetches their slots early, so that the
  // memory waits of neighbouring records overlap.
  constexpr std::int64_t ahead = 16;
  std::uint64_t hashes[ahead];
  for (std::int64_t first = 1; first <= n; first += ahead) {
    std::int64_t last = first + ahead - 1 < n ? first + ahead - 1 : n;
    for (std::int64_t i = first; i <= last; ++i) {
      hashes[i - first] = hash_identification(animal[i].herdbook_nr);
      __builtin_prefetch(first_slot(index, hashes[i - first]), 1);
    }
    for (std::int64_t i = first; i <= last; ++i)
      insert_identification(index, animal[i].herdbook_nr, hashes[i - first], static_cast<std::int32_t>(i), key_at);
  }
}

}  // namespace veldmarsh
