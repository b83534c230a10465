// The record of one animal and the animal table.
//
// Every animal of the pedigree, with a line of its own in the data file or
// only named as a parent, is one record of the one table. After the sort an
// animal's number is its row, and every known parent has a lower number than
// its offspring, so a walk down the numbers meets every ancestor after all
// its descendants.
#pragma once

#include <cstdint>
#include <vector>

#include "common/fixed_text.h"

namespace veldmarsh {

struct animal_record {
  fixed_text<50> herdbook_nr;  // identification; the key of every parent lookup
  fixed_text<50> name;         // "-" until a name column fills it; blank for appended parents
  fixed_text<50> sire_id;      // "0" = unknown
  fixed_text<50> dam_id;       // "0" = unknown
  std::int32_t birth_year = 0;   // 0 = unknown
  std::int32_t birth_month = 1;  // 1..12
  std::int32_t birth_day = 1;
  std::int32_t sex = 2;  // 1 = male, 2 = female
  fixed_text<40> colour;
  fixed_text<20> breeder;
  fixed_text<20> subpop_code;
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

// The animal table: one-based, entry 0 unused, so that row i holds animal i.
struct animal_table {
  std::vector<animal_record> rows;  // rows[0] is never an animal

  std::int64_t size() const { return rows.empty() ? 0 : static_cast<std::int64_t>(rows.size()) - 1; }
  animal_record& operator[](std::int64_t i) { return rows[static_cast<std::size_t>(i)]; }
  const animal_record& operator[](std::int64_t i) const { return rows[static_cast<std::size_t>(i)]; }
};

// A record with the first values of a created table (name "-", blank colour,
// breeder and subpopulation, identification blank, parents "0", sex 2).
animal_record new_animal_record();

}  // namespace veldmarsh
