// Texts stored once: the identifications, names and codes of the animal
// table. A field of a record holds the number of its text instead of the
// blank-padded characters, so a record stays small however wide its fields
// are. A text is kept without its trailing blanks: two texts are equal here
// exactly when they are equal blank-padded to the field's width (so "A" and
// " A" differ, "A" and "A  " do not). Number 0 is always the blank text.
// A hash index finds the number of a text already stored.
//
// Reading a large data file adds its identifications and names without a
// look-up each (add_text), which leaves equal texts under several numbers
// for a while; merge_equal_texts then gives every distinct text one number
// in one pass whose look-ups overlap in memory.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace veldmarsh {

struct text_pool {
  std::size_t width = 0;             // texts are cut to this many characters
  std::string bytes;                 // every text without its trailing blanks, one after the other
  std::vector<std::uint64_t> ends;   // text k is bytes[ends[k] .. ends[k + 1])
  std::vector<std::uint64_t> slots;  // hash index: (tag << 32) | (number + 1); 0 = empty
  std::uint64_t mask = 0;            // slots.size() - 1
  // The numbers of the texts stored or met last, the latest first: the
  // parents of a litter follow one another, and a text met again soon is
  // found without a look-up in the index.
  std::uint32_t recent[4] = {0, 0, 0, 0};
  bool merged = true;  // every text is held under one number only
};

// A pool of texts of `width` characters holding the blank text as number 0
// and then `first_texts` as numbers 1, 2, ...
text_pool make_text_pool(std::size_t width, std::initializer_list<std::string_view> first_texts = {});

// The number of distinct texts held.
inline std::uint32_t text_count(const text_pool& pool) { return static_cast<std::uint32_t>(pool.ends.size() - 1); }

// `text` cut to the pool's width and without its trailing blanks: the form
// in which it is stored and compared.
std::string_view stored_form(const text_pool& pool, std::string_view text);

// The number of `text` (cut to the width), stored first when it is new.
// While texts added by add_text are not merged, a new number may be given
// to a text held already.
std::uint32_t store_text(text_pool& pool, std::string_view text);

// Stores `text` (cut to the width) under a new number unless it is one of the
// texts stored or met last; equal texts may then be held under several
// numbers until merge_equal_texts.
std::uint32_t add_text(text_pool& pool, std::string_view text);

// Keeps each distinct text once, numbered in the order of first appearance,
// and returns by every old number the new one (numbers of texts met first
// keep theirs: the blank text stays 0).
std::vector<std::uint32_t> merge_equal_texts(text_pool& pool);

// The (first) number of `text` (cut to the width); -1 when it is not stored.
std::int64_t find_text(const text_pool& pool, std::string_view text);

// Text `number` without its trailing blanks.
inline std::string_view stored_text(const text_pool& pool, std::uint32_t number) {
  const std::uint64_t from = pool.ends[number], to = pool.ends[number + 1];
  return std::string_view(pool.bytes.data() + from, static_cast<std::size_t>(to - from));
}

// Frees the hash index once no more texts are expected; a later store_text
// builds it again.
void drop_text_index(text_pool& pool);

}  // namespace veldmarsh
