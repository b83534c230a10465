// Kinship per birth year: the mean F of each year's animals and their mean
// additive relationship (all ordered pairs with self, distinct pairs, among
// parents, fathers and mothers), and the same within and between
// subpopulations. A year of 72000 animals or more is split by birth month
// into parts of about 40000; each part is summed on its own, the parts are
// listed in the report file and the year gets their size-weighted means;
// its subpopulations are still summed over the whole year.
//
// Every figure is a sum of relationships over a set of one year's animals,
// x'Ay for 0/1 vectors x and y. With the pedigree sorted, Ay needs no matrix:
// A = T D T', so w = T'y gathers each animal's weight into its ancestors
// (youngest to oldest), D scales by each ancestor's Mendelian sampling
// variance, and T carries the result back down (oldest to youngest). Each
// year's animals and their ancestors are listed once, from the highest
// number down, and every pass of the year runs down that list; several sets
// of a year go through one pass together. Sums are kept in double precision.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/animal_record.h"
#include "common/birth_year_groups.h"
#include "common/run_context.h"
#include "inbreeding/inbreeding_results.h"

namespace veldmarsh {

// Year sizes from which a year is split, and the size of its parts. The run
// always uses the defaults; tests shrink them to hold split years against
// whole relationship matrices.
struct kinship_split_sizes {
  std::int64_t split_from = 72000;
  std::int64_t part_size = 40000;
};

// Fills, for every year of `groups` with animals, columns 1 to 6 of
// `year_inbreeding` (mean F, then five mean relationships; those of a split
// year from its parts) and, with more than one subpopulation, the row of
// `year_subpop_kinship` (mean F and mean relationships, over the whole year
// also when it is split), all on the relationship scale. Writes its
// progress to the console and the part table of a split year to the report.
void calc_kinship_by_year(run_context& ctx, const animal_table& animal, const birth_year_groups& groups,
                          inbreeding_results& inbreeding, const kinship_split_sizes& sizes = {});

// Splits the n animals of `year_rows` into n_blocks = n / part_size + 1
// parts of whole birth months, taken in month order until each part reaches
// n / n_blocks animals; months left when the last part begins (and months
// outside 1..12) go to the last part. block[i] is the part of year_rows[i].
void assign_month_blocks(const animal_table& animal, std::int64_t n, std::span<const std::int32_t> year_rows,
                         std::vector<std::int32_t>& block, std::int32_t& n_blocks,
                         std::int64_t part_size = 40000);

}  // namespace veldmarsh
