// Subpopulation counts: per birth year the animals of every subpopulation
// of the steering file, and per subpopulation the subpopulations of its
// animals' parents; animals whose code is none of the defined ones are
// reported on the console and in the report file. Used only when the
// steering file defines more than one subpopulation, though the main
// program allocates both tables in every run.
#pragma once

#include <cstdint>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_range.h"
#include "common/year_table.h"

namespace veldmarsh {

// The subpopulations of the animals and of their parents.
struct subpop_counts {
  // (n_years, n_subpop): cell (y, j) the animals of subpopulation j born in
  // year row y.
  year_table<std::int32_t> births_by_subpop;
  // (n_subpop, n_subpop): cell (j, k) the parents of subpopulation k of the
  // animals of subpopulation j, counted only when both parents belong to a
  // subpopulation.
  year_table<std::int32_t> parent_subpop;
};

// Both tables for the settings' `n_subpop`, all zero; tables too large for
// memory end the run with a diagnostic.
void allocate_subpopulation_tables(run_context& ctx, const year_range& years, subpop_counts& subpops);

// Clears and fills the two tables from the sorted animal table. An animal
// whose code matches none is counted nowhere and reported, except while its
// code equals the first 8 characters of the first unknown code met (at the
// start: 8 blanks, so blank codes stay silent).
void count_subpopulations(run_context& ctx, const animal_table& animal, const year_range& years,
                          subpop_counts& subpops);

// The SUBPOPULATIONs table (births per year and subpopulation, with totals)
// and the table of the parents' subpopulations.
void write_subpopulation_tables(run_context& ctx, const year_range& years, const subpop_counts& subpops);

}  // namespace veldmarsh
