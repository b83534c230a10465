// Helpers for the tests of the pedigree steps: a run context whose console,
// log and report file are captured, and small animal tables built in code.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "run/link_parents.h"
#include "support/captured_run.h"

namespace veldmarsh::testing_support {

// A run whose console, log and report lines can be read back (all lines so far).
using captured_run = testing::captured_channels<false>;

// A record as the data file gives it: identification, parents ("0" unknown),
// sex and birth year; name "-"; its texts stored among those of `t`, to
// which it is appended (numbered by its row) with append_records.
inline animal_record data_record(animal_table& t, std::string_view id, std::string_view sire = "0",
                                 std::string_view dam = "0", int sex = 2, int year = 0) {
  animal_record r = new_animal_record();
  set_text(t, r.herdbook_nr, id);
  set_text(t, r.sire_id, sire);
  set_text(t, r.dam_id, dam);
  r.sex = sex;
  r.birth_year = year;
  return r;
}

// Appends `records` (their texts stored among those of `t`) numbered by row.
inline void append_records(animal_table& t, const std::vector<animal_record>& records) {
  if (t.rows.empty()) t.rows.push_back(new_animal_record());
  for (const animal_record& r : records) {
    t.rows.push_back(r);
    t.rows.back().nr = static_cast<std::int32_t>(t.rows.size() - 1);
  }
}

// A linked table from (identification, sire, dam, birth year) rows; each
// animal is named "name of <identification>".
struct row_spec {
  const char* id;
  const char* sire;
  const char* dam;
  int year;
};
inline animal_table linked_table(const std::vector<row_spec>& rows) {
  animal_table t;
  std::vector<animal_record> records;
  for (const row_spec& r : rows) {
    records.push_back(data_record(t, r.id, r.sire, r.dam, 2, r.year));
    std::string name = "name of ";
    name += r.id;
    set_text(t, records.back().name, name);
  }
  append_records(t, records);
  captured_run quiet;
  link_parent_numbers(quiet.ctx, t);
  return t;
}

// The text of a record's field, without trailing blanks.
template <text_field F>
std::string text(const animal_table& t, text_ref<F> field) {
  return std::string(trimmed_text_of(t.texts, field));
}

// prefix followed by the number k ("R" and 12 give "R12").
inline std::string numbered(std::string_view prefix, long long k) {
  std::string s(prefix);
  s += std::to_string(k);
  return s;
}

// `s` padded with blanks to n bytes.
inline std::string padded(std::string_view s, std::size_t n) {
  std::string out(s);
  out.resize(n, ' ');
  return out;
}

}  // namespace veldmarsh::testing_support
