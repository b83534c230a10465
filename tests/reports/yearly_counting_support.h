// Random pedigrees for the tests of the yearly counting and the top sires:
// parents always have lower numbers, offspring counts agree with the links,
// and ages, imports, colours and breeders cover the corner values.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/animal_record.h"
#include "common/fixed_text.h"

namespace veldmarsh::testing_support {

struct random_pedigree_shape {
  int n_animals = 300;
  int first_year = 2000;
  int n_years = 8;              // birth years first_year .. first_year + n_years - 1, some left empty
  double unknown_year = 0.05;   // share of animals without a birth year
  double unknown_parent = 0.15;
  double import_share = 0.15;
  int n_sires = 12;             // few sires, so that ties and more than ten sires occur
};

inline animal_table random_pedigree(unsigned seed, const random_pedigree_shape& shape = {}) {
  std::mt19937 rng(seed);
  auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };
  auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const char* colours[] = {"black", "white", "Onbekend", "", "red"};
  const char* breeders[] = {"Breeder A", "Breeder B", "Breeder C", "", "Breeder D"};
  animal_table t;
  t.rows.push_back(new_animal_record());
  for (int i = 1; i <= shape.n_animals; ++i) {
    animal_record r = new_animal_record();
    r.nr = i;
    set_text(t, r.herdbook_nr, "ID" + std::to_string(i));
    set_text(t, r.name, "Animal " + std::to_string(i));
    r.sex = chance(0.5) ? 1 : 2;
    r.is_import = chance(shape.import_share);
    // Year 3 of the range stays empty.
    int year_row = below(shape.n_years);
    if (year_row == 3) year_row = 2;
    r.birth_year = chance(shape.unknown_year) ? 0 : shape.first_year + year_row;
    if (i > 20) {
      // Sires from the first few males, dams from any earlier female.
      if (!chance(shape.unknown_parent)) {
        int s = 1 + below(std::min(i - 1, 60));
        for (int tries = 0; tries < 50 && t[s].sex != 1; ++tries) s = 1 + below(std::min(i - 1, 60));
        if (t[s].sex == 1 && s % 5 < shape.n_sires / 3 + 2) r.sire_nr = s;
      }
      if (!chance(shape.unknown_parent)) {
        int d = 1 + below(i - 1);
        if (t[d].sex == 2) r.dam_nr = d;
      }
    }
    // Ages with unknowns, zero, negatives, class boundaries and the rest.
    const int ages[] = {-1, -1, -2, 0, 1, 364, 365, 366, 730, 731, 1095, 1096, 2000, 4000};
    r.sire_age_days = ages[below(14)];
    r.dam_age_days = ages[below(14)];
    set_text(t, r.colour, colours[below(5)]);
    set_text(t, r.breeder, breeders[below(5)]);
    r.equiv_generations = static_cast<float>(below(9)) * 0.25f;
    r.complete_generations = below(8);
    t.rows.push_back(r);
  }
  // Offspring counts as linking leaves them: only young that are not imports count.
  for (int i = 1; i <= shape.n_animals; ++i) {
    const animal_record& r = t[i];
    for (int p : {r.sire_nr, r.dam_nr}) {
      if (p == 0) continue;
      ++t[p].n_offspring;
      t[p].is_parent = true;
      if (!r.is_import) {
        ++t[p].n_offspring_counted;
        t[p].has_counted_offspring = true;
      }
    }
  }
  return t;
}

}  // namespace veldmarsh::testing_support
