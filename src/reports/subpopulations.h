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
#include "common/year_table.h"

namespace veldmarsh {

// `births_by_subpop` (n_years x n_subpop) and `parent_subpop` (n_subpop x
// n_subpop), all zero; tables too large for memory end the run with a
// diagnostic.
void allocate_subpopulation_tables(run_context& ctx, std::int64_t n_years, std::int64_t n_subpop,
                                   year_table<std::int32_t>& births_by_subpop, year_table<std::int32_t>& parent_subpop);

// Clears and fills the two tables from the sorted animal table. Cell (y, j)
// of `births_by_subpop`: animals of subpopulation j born in year row y.
// Cell (j, k) of `parent_subpop`: parents of subpopulation k of the animals
// of subpopulation j, counted only when both parents belong to a
// subpopulation. An animal whose code matches none is counted nowhere and
// reported, except while its code equals the first 8 characters of the first
// unknown code met (at the start: 8 blanks, so blank codes stay silent).
void count_subpopulations(run_context& ctx, const animal_table& animal, std::int64_t n_years, std::int32_t first_year,
                          year_table<std::int32_t>& births_by_subpop, year_table<std::int32_t>& parent_subpop);

// The SUBPOPULATIONs table (births per year and subpopulation, with totals)
// and the table of the parents' subpopulations.
void write_subpopulation_tables(run_context& ctx, std::int32_t last_year, std::int32_t first_year, std::int64_t n_years,
                                const year_table<std::int32_t>& births_by_subpop,
                                const year_table<std::int32_t>& parent_subpop);

}  // namespace veldmarsh
