// The record of one animal and the animal table.
//
// Every animal of the pedigree, with a line of its own in the data file or
// only named as a parent, is one record of the one table. After the sort an
// animal's number is its row, and every known parent has a lower number than
// its offspring, so a walk down the numbers meets every ancestor after all
// its descendants.
//
// The identifications, names and codes are fixed-length texts (50, 50, 40
// and 20 characters, blank-padded); the table keeps each distinct text once
// and a record holds its number, so that a record is small and two texts of
// a field are equal exactly when their numbers are. text_of gives the
// blank-padded characters, as every reader sees them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"
#include "common/text_pool.h"

namespace veldmarsh {

// The text fields of a record, by the texts they share: identifications of
// animals and parents, names, colour varieties, breeders, subpopulations.
enum class text_field { identification, name, colour, breeder, subpop_code };

template <text_field F>
inline constexpr std::size_t text_width = F == text_field::colour                                        ? 40
                                          : F == text_field::breeder || F == text_field::subpop_code ? 20
                                                                                                        : 50;

// The number of a text among the table's texts of field F; 0 is the blank
// text.
template <text_field F>
struct text_ref {
  std::uint32_t number = 0;
  bool operator==(const text_ref&) const = default;
};

using identification_ref = text_ref<text_field::identification>;

// The identification "0": an unknown parent.
inline constexpr identification_ref unknown_parent{1};

struct animal_record {
  identification_ref herdbook_nr;            // identification; the key of every parent lookup
  text_ref<text_field::name> name;           // "-" until a name column fills it; blank for appended parents
  identification_ref sire_id;                // "0" = unknown
  identification_ref dam_id;                 // "0" = unknown
  std::int32_t birth_year = 0;   // 0 = unknown
  std::int32_t birth_month = 1;  // 1..12
  std::int32_t birth_day = 1;
  std::int32_t sex = 2;  // 1 = male, 2 = female
  text_ref<text_field::colour> colour;
  text_ref<text_field::breeder> breeder;
  text_ref<text_field::subpop_code> subpop_code;
  bool is_import = false;              // imported or bred outside the population
  bool has_counted_offspring = false;  // has a linked offspring that is not imported
  bool is_parent = false;              // has a linked offspring
  std::int32_t nr = 0;                 // the animal's number (its row)
  std::int32_t sire_nr = 0;            // 0 = unknown
  std::int32_t dam_nr = 0;             // 0 = unknown
  std::int32_t sire_age_days = 0;      // age of the sire at this birth, -1 = unknown
  std::int32_t dam_age_days = 0;       // age of the dam at this birth, -1 = unknown
  std::int32_t n_offspring_counted = 0;  // linked offspring that are not imported
  std::int32_t n_offspring = 0;          // all linked offspring
  float equiv_generations = 0;           // equivalent complete generations
  std::int32_t complete_generations = 0;  // fully known generations
  float inbreeding = 0;                   // inbreeding coefficient F
};

// The texts of the table's records, each distinct text once per field.
struct animal_texts {
  text_pool identifications = make_text_pool(50, {"0"});  // 1: "0", an unknown parent
  text_pool names = make_text_pool(50, {"-"});            // 1: "-", a record without a name column
  text_pool colours = make_text_pool(40);
  text_pool breeders = make_text_pool(20);
  text_pool subpop_codes = make_text_pool(20);
};

template <text_field F>
text_pool& texts_of(animal_texts& texts) {
  if constexpr (F == text_field::identification) return texts.identifications;
  else if constexpr (F == text_field::name) return texts.names;
  else if constexpr (F == text_field::colour) return texts.colours;
  else if constexpr (F == text_field::breeder) return texts.breeders;
  else return texts.subpop_codes;
}

template <text_field F>
const text_pool& texts_of(const animal_texts& texts) {
  return texts_of<F>(const_cast<animal_texts&>(texts));
}

// The animal table: one-based, entry 0 unused, so that row i holds animal i.
struct animal_table {
  std::vector<animal_record> rows;  // rows[0] is never an animal
  animal_texts texts;

  std::int64_t size() const { return rows.empty() ? 0 : static_cast<std::int64_t>(rows.size()) - 1; }
  animal_record& operator[](std::int64_t i) { return rows[static_cast<std::size_t>(i)]; }
  const animal_record& operator[](std::int64_t i) const { return rows[static_cast<std::size_t>(i)]; }
};

// The text of a field without its trailing blanks.
template <text_field F>
std::string_view trimmed_text_of(const animal_texts& texts, text_ref<F> field) {
  return stored_text(texts_of<F>(texts), field.number);
}

// The text of a field, blank-padded to its width.
template <text_field F>
fixed_text<text_width<F>> text_of(const animal_texts& texts, text_ref<F> field) {
  fixed_text<text_width<F>> t;
  set_text(t, trimmed_text_of(texts, field));
  return t;
}

template <text_field F>
fixed_text<text_width<F>> text_of(const animal_table& animal, text_ref<F> field) {
  return text_of(animal.texts, field);
}

// Stores `text`, cut to the field's width, in `field`.
template <text_field F>
void set_text(animal_texts& texts, text_ref<F>& field, std::string_view text) {
  field.number = store_text(texts_of<F>(texts), text);
}

template <text_field F>
void set_text(animal_table& animal, text_ref<F>& field, std::string_view text) {
  set_text(animal.texts, field, text);
}

// Stores `text` in `field` without looking it up (see add_text):
// the way a data file's identifications and names are read, followed by
// merge_equal_texts once the records are read.
template <text_field F>
void add_text(animal_texts& texts, text_ref<F>& field, std::string_view text) {
  field.number = add_text(texts_of<F>(texts), text);
}

// Gives every identification and every name one number, in the texts and in
// every record, and frees their look-up indexes (no text is expected after
// the data file).
void merge_equal_texts(animal_table& animal);

// The number of `text` (cut to the field's width) among the table's texts of
// field F; -1 when no record can carry it.
template <text_field F>
std::int64_t find_text(const animal_texts& texts, std::string_view text) {
  return find_text(texts_of<F>(texts), text);
}

// What a report shows of one animal: its texts with all their characters.
struct animal_label {
  fixed_text<50> name;
  fixed_text<50> herdbook_nr;
  std::int32_t birth_year = 0;
  std::int32_t n_offspring_counted = 0;
};

// Calls visit(i) for every animal number of `members` (in table order), or
// for every animal 1..animal.size() when `members` is null: the animals of a
// subpopulation, or of the whole population.
template <typename Visit>
void for_each_member(const animal_table& animal, const std::vector<std::int32_t>* members, Visit&& visit) {
  if (members != nullptr) {
    for (std::int32_t i : *members) visit(static_cast<std::int64_t>(i));
  } else {
    for (std::int64_t i = 1; i <= animal.size(); ++i) visit(i);
  }
}

// A record with the first values of a created table (name "-", blank colour,
// breeder and subpopulation, identification blank, parents "0", sex 2).
animal_record new_animal_record();

}  // namespace veldmarsh
