// Kinship within and between subpopulations of one birth year: the layout
// of a row of `year_subpop_kinship`, and the row itself from the year's sums.
//
// Row layout (one-based columns): 2j - 1 mean F of subpopulation j, 2j mean
// relationship of two different animals of j, then one column per pair
// (1,2), (1,3), ..., (1,S), (2,3), ..., (S-1,S) with the mean relationship
// between the animals of the two. The caller halves the relationship
// columns into kinships.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace veldmarsh {

// Number of columns of a row for n_subpop subpopulations: 2S + S(S-1)/2.
std::int64_t subpop_kinship_columns(std::int64_t n_subpop);

// Column (one-based) of the pair of subpopulations j < k.
std::int64_t subpop_pair_column(std::int64_t j, std::int64_t k, std::int64_t n_subpop);

// What one birth year adds up per subpopulation (index 1..S; pairs by their
// position 1..S(S-1)/2). Relationship sums run over all ordered pairs of
// members, an animal with itself included.
struct subpop_sums {
  std::vector<std::int64_t> count;      // members in the year
  std::vector<double> sum_inbreeding;   // sum of the members' F
  std::vector<double> within;           // sum of relationships among the members
  std::vector<double> between;          // sum of relationships across a pair
};

void clear_subpop_sums(subpop_sums& sums, std::int32_t n_subpop);

// Stores the means of one year in `subpop_row` (relationship scale). A
// subpopulation with fewer than two members stores nothing, neither its own
// columns nor its pairs with later subpopulations; a pair whose second
// subpopulation has no member stores nothing. Entries not stored keep their
// value.
void calc_subpop_kinship(const subpop_sums& sums, std::int32_t n_subpop, std::span<float> subpop_row);

}  // namespace veldmarsh
