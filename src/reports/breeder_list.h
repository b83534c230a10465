// The breeder list: every breeder of the data file's animals, in order of
// first appearance, with the main breeders of the last ten birth years (the
// top breeders) moved to its head. The yearly counting counts the top
// breeders' animals per birth year.
#pragma once

#include <cstdint>
#include <vector>

#include "common/animal_record.h"
#include "common/fixed_text.h"
#include "common/run_context.h"
#include "common/year_range.h"

namespace veldmarsh {

using breeder_name = fixed_text<20>;

// The breeder list with its top breeders first.
struct breeder_tables {
  std::vector<breeder_name> breeder_list;  // distinct names; "geen fokkers" alone without a breeder column
  std::int32_t n_top_breeders = 0;         // the first entries of the list
};

// Every distinct non-blank `breeder` of records 1..animal.size(), in order of
// first appearance, with progress lines and the two result lines on the
// console and in the log.
void build_breeder_list(run_context& ctx, const animal_table& animal, std::vector<breeder_name>& breeder_list);

// Counts each breeder's animals born in the last ten birth years (after
// `last_year` - 10), picks the top breeders (all of them when there are fewer
// than 10; otherwise those with more than 250 such animals, at least 10 and
// at most 30), writes the picks to the console and moves them to the head of
// the list in the order picked.
void select_top_breeders(run_context& ctx, const animal_table& animal, std::int32_t last_year,
                         breeder_tables& breeders);

// By the number of every breeder's name among the table's texts: its
// position (one-based) among the first n entries of `breeder_list`, 0 when
// it is not among them.
std::vector<std::int32_t> breeder_positions(const animal_table& animal, const std::vector<breeder_name>& breeder_list,
                                            std::int64_t n);

// Without a breeder column: no top breeders and the one entry "geen fokkers".
void make_empty_breeder_list(breeder_tables& breeders);

// The breeder list and the top breeders when the data file has a breeder
// column ("geen fokkers" alone otherwise).
breeder_tables make_breeder_tables(run_context& ctx, const animal_table& animal, const year_range& years);

}  // namespace veldmarsh
