// The breeder list: every breeder of the data file's animals, in order of
// first appearance, with the main breeders of the last ten birth years (the
// top breeders) moved to its head; and the per-year table that the per-year
// counting fills for them.
#pragma once

#include <cstdint>
#include <vector>

#include "common/animal_record.h"
#include "common/fixed_text.h"
#include "common/run_context.h"
#include "common/year_table.h"

namespace veldmarsh {

using breeder_name = fixed_text<20>;

// Every distinct non-blank `breeder` of records 1..animal.size(), in order of
// first appearance, with progress lines and the two result lines on the
// console and in the log.
void build_breeder_list(run_context& ctx, const animal_table& animal, std::vector<breeder_name>& breeder_list);

// Counts each breeder's animals born in the last ten birth years (after
// `last_year` - 10), picks the top breeders (all of them when there are fewer
// than 10; otherwise those with more than 250 such animals, at least 10 and
// at most 30), writes the picks to the console and moves them to the head of
// the list in the order picked.
void select_top_breeders(run_context& ctx, std::vector<breeder_name>& breeder_list, const animal_table& animal,
                         std::int32_t& n_top_breeders, std::int32_t last_year);

// Without a breeder column: no top breeders and the one entry "geen fokkers".
void make_empty_breeder_list(std::vector<breeder_name>& breeder_list, std::int32_t& n_top_breeders);

// `breeder_year_counts` with `n_years` rows and 2 x `n_top_breeders` + 2
// columns, all 0. A table too large for memory ends the run with a diagnostic.
void allocate_breeder_year_counts(run_context& ctx, year_table<std::int32_t>& breeder_year_counts,
                                  std::int64_t n_years, std::int32_t n_top_breeders);

// The breeder list and the top breeders when the data file has a breeder
// column ("geen fokkers" alone otherwise), and `breeder_year_counts` sized for them.
void make_breeder_tables(run_context& ctx, const animal_table& animal, std::int64_t n_years, std::int32_t last_year,
                         std::vector<breeder_name>& breeder_list, std::int32_t& n_top_breeders,
                         year_table<std::int32_t>& breeder_year_counts);

}  // namespace veldmarsh
