// One column of the additive relationship matrix of a sorted pedigree: the
// relationship of every animal 1..n with one animal j, and 1 + F of j on the
// diagonal, without forming the matrix. Twice the kinship coefficient.
//
// The relationship matrix is T D T': T holds the share of each ancestor's
// genes in each animal, D the variance of each animal's own Mendelian
// sampling. An up pass from j gathers j's shares in its ancestors (row j of
// T); a down pass over animals 1..n carries them, weighted by D, to every
// animal. Kinship per birth year uses the same factorisation on whole sets of
// animals at once; this routine is the one-column form and the reference the
// tests hold that against.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "common/output_channel.h"

namespace veldmarsh {

// Sire and dam number of one animal, 0 = unknown.
using parent_numbers = std::array<std::int32_t, 2>;

// Fills relationship_column[1..n] with the additive relationship of animals
// 1..n with animal j (entry j: 1 + F of j). `ped[k]` holds the parents of
// animal k (k = 1..n; entry 0 unused), `f8[0..n]` their inbreeding
// coefficients with f8[0] = 0. Parents must be numbered below their young.
// A parent number above n is reported on `console` and not followed.
void calc_relationship_column(output_channel& console, std::span<double> relationship_column,
                              std::span<const parent_numbers> ped, std::int32_t n, std::int32_t j,
                              std::span<const double> f8);

}  // namespace veldmarsh
