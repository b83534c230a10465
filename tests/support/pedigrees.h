// Pedigrees for the tests of inbreeding and kinship: random sorted tables,
// small tables written out by hand, and the tabular relationship matrix, the
// slow textbook method the fast routines are held against.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/animal_record.h"

namespace veldmarsh::testing {

// One animal of a hand-written table: parents by number (0 unknown).
struct animal_spec {
  std::int32_t sire = 0, dam = 0;
  int sex = 1, year = 2000, month = 1;
  const char* subpop = "";
};

// A table numbered from 1 in the given order; a parent gets is_parent and
// has_counted_offspring.
inline animal_table table_of(const std::vector<animal_spec>& specs) {
  animal_table animal;
  animal.rows.assign(specs.size() + 1, new_animal_record());
  for (std::size_t i = 1; i <= specs.size(); ++i) {
    const animal_spec& s = specs[i - 1];
    animal_record& r = animal.rows[i];
    r.nr = static_cast<std::int32_t>(i);
    r.sire_nr = s.sire;
    r.dam_nr = s.dam;
    r.sex = s.sex;
    r.birth_year = s.year;
    r.birth_month = s.month;
    set_text(animal, r.subpop_code, s.subpop);
    for (std::int32_t p : {s.sire, s.dam})
      if (p != 0) animal.rows[static_cast<std::size_t>(p)].is_parent = animal.rows[static_cast<std::size_t>(p)].has_counted_offspring = true;
  }
  return animal;
}

// A random table of n animals, parents before their young. Parents come from
// a window of recent animals, so that relatives mate; some are unknown, now
// and then one animal is both parents, and a quarter of the animals are full
// sibs of the animal above them (some with sire and dam swapped). Birth years
// rise with the number over `span` years from 2000, a few unknown; months are
// 1 to 12, or half of them `month_bias`; codes are drawn from `codes` plus a
// code of no subpopulation and a blank one.
inline animal_table random_pedigree(std::mt19937& rng, int n, int span, const std::vector<std::string>& codes = {},
                                    int month_bias = 0) {
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int window = uniform(2, 40);
  std::vector<animal_spec> specs(static_cast<std::size_t>(n));
  std::vector<std::string> code_of(static_cast<std::size_t>(n));
  auto parent = [&](int i) { return i <= 1 || uniform(0, 9) < 2 ? 0 : uniform(std::max(1, i - window), i - 1); };
  for (int i = 1; i <= n; ++i) {
    animal_spec& s = specs[static_cast<std::size_t>(i - 1)];
    const int roll = uniform(0, 29);
    if (i > 1 && roll < 8) {
      const animal_spec& above = specs[static_cast<std::size_t>(i - 2)];
      s.sire = roll == 0 ? above.dam : above.sire;
      s.dam = roll == 0 ? above.sire : above.dam;
    } else {
      s.sire = parent(i);
      s.dam = roll == 8 ? s.sire : parent(i);
    }
    s.sex = uniform(1, 2);
    s.year = uniform(0, 40) == 0 ? 0 : 2000 + std::max(0, static_cast<int>(std::int64_t{i - 1} * span / n) + uniform(-1, 0));
    s.month = month_bias > 0 && uniform(0, 1) == 0 ? month_bias : uniform(1, 12);
    const int c = uniform(0, static_cast<int>(codes.size()) + 1);
    code_of[static_cast<std::size_t>(i - 1)] = c < static_cast<int>(codes.size()) ? codes[static_cast<std::size_t>(c)]
                                               : c == static_cast<int>(codes.size()) ? "NOWHERE" : "";
  }
  for (int i = 0; i < n; ++i) specs[static_cast<std::size_t>(i)].subpop = code_of[static_cast<std::size_t>(i)].c_str();
  animal_table animal = table_of(specs);
  for (int i = 1; i <= n; ++i)  // some parents have only young that do not count
    if (animal[i].is_parent && uniform(0, 9) == 0) animal[i].has_counted_offspring = false;
  return animal;
}

// The relationship matrix of the whole table, row by row from the parents,
// in double: a[i][j], one-based; a[i][i] is 1 + F.
inline std::vector<std::vector<double>> tabular_relationships(const animal_table& animal) {
  const std::size_t n = static_cast<std::size_t>(animal.size());
  std::vector<std::vector<double>> a(n + 1, std::vector<double>(n + 1, 0.0));
  for (std::size_t i = 1; i <= n; ++i) {
    const std::size_t s = static_cast<std::size_t>(animal[i].sire_nr), d = static_cast<std::size_t>(animal[i].dam_nr);
    for (std::size_t j = 1; j < i; ++j) a[i][j] = a[j][i] = 0.5 * ((s ? a[j][s] : 0.0) + (d ? a[j][d] : 0.0));
    a[i][i] = 1.0 + (s && d ? 0.5 * a[s][d] : 0.0);
  }
  return a;
}

// Stores F = a[i][i] - 1 of the tabular matrix in every record.
inline void set_tabular_inbreeding(animal_table& animal) {
  const std::vector<std::vector<double>> a = tabular_relationships(animal);
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    animal[i].inbreeding = static_cast<float>(a[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] - 1.0);
}

}  // namespace veldmarsh::testing
