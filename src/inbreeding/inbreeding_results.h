// What the inbreeding and kinship phase hands on: the yearly table of the
// whole population (mean F and five mean relationships) and the yearly
// table within and between subpopulations. Kinship per birth year fills
// them on the relationship scale (the relationship of two animals is twice
// their kinship); the console table of yearly means shows that scale, and
// then one step halves them into the kinships that the rates of inbreeding
// and every report read.
#pragma once

#include <cstdint>

#include "common/run_context.h"
#include "common/year_range.h"
#include "common/year_table.h"

namespace veldmarsh {

struct inbreeding_results {
  // (n_years, 6): 1 mean F of the year's animals; 2 mean relationship of all
  // pairs, an animal with itself included; 3 of pairs of two animals; 4
  // among the year's parents; 5 among its fathers; 6 among its mothers.
  year_table<float> year_inbreeding;
  // (n_years, 2S + S(S-1)/2) for S subpopulations: 2j - 1 mean F of
  // subpopulation j, 2j mean relationship of two of its animals, then one
  // column per pair (1,2), (1,3) .. (S-1,S) between their animals.
  year_table<float> year_subpop_kinship;
  std::int32_t n_subpop = 0;  // S
  bool kinship_scale = false;  // the relationship columns are halved
};

// Allocates both tables with `years.n_years` rows, all zero, for the
// settings' `n_subpop`; tables too large for memory end the run with a
// diagnostic.
void allocate_inbreeding_tables(run_context& ctx, const year_range& years, inbreeding_results& inbreeding);

// The console table of the yearly means before they are halved: the line
// "    F        f", then per birth year its mean F and its mean relationship
// (self-pairs included), without the year.
void write_yearly_means(run_context& ctx, const inbreeding_results& inbreeding);

// Halves every relationship column of both tables (2 to 6 of the whole
// population; 2j and the pair columns of the subpopulations) into
// kinships; the mean F columns stay. Once: a second call changes nothing.
void convert_relationships_to_kinships(inbreeding_results& inbreeding);

}  // namespace veldmarsh
