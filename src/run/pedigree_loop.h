// The report of a pedigree loop: the animals the sort could not place, less
// those whose ancestry is free of loops, each with its parents, on the
// console and in the report file. It ends the run.
#pragma once

#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// Writes the loop report for the animals marked in `unsorted` (one entry
// per row, entry 0 unused) and ends the run with the stop status.
[[noreturn]] void report_pedigree_loop(run_context& ctx, const animal_table& animal,
                                       const std::vector<char>& unsorted);

// The lines of the loop report, without the stop.
void write_pedigree_loop_report(run_context& ctx, const animal_table& animal, const std::vector<char>& unsorted);

// For each unsorted animal, in table order: true when none of its ancestors
// lies in a loop (it can be traced back to animals without parents through
// unsorted animals only).
std::vector<char> find_clear_of_loop(const animal_table& animal, const std::vector<std::int32_t>& unsnrs);

}  // namespace veldmarsh
