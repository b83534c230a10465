// Inbreeding coefficients: F of every animal of the sorted pedigree, and F of
// one animal or of a virtual offspring of two animals.
//
// F is found by walking the animal's ancestors from the highest number down
// (Meuwissen and Luo): each ancestor passes half of its share of the start
// animal's genes to each parent, and the sum of the squared shares, weighted
// by each ancestor's own Mendelian sampling variance, gives F. Parents have
// lower numbers than their young, so every share is complete before the walk
// reaches its ancestor. All arithmetic is single precision in a fixed order,
// so the coefficients are the same bit for bit whatever visits the ancestors,
// as long as they are visited in decreasing order.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// Sire and dam number of one animal, in either order; 0 = unknown.
struct parent_pair {
  std::int32_t sire = 0;
  std::int32_t dam = 0;
};

// Work tables of the ancestor walk, kept between calls and grown when a call
// sees more animals. Between walks every share is 0 and no animal is
// marked: a walk resets exactly the entries it touched.
struct inbreeding_work {
  std::vector<float> contribution;      // share of the start animal's genes from each listed animal
  std::vector<std::int32_t> ancestors;  // the animals of one walk
  std::vector<std::int32_t> sorting;    // room to put them in order
  std::vector<std::uint64_t> met;       // one bit per animal number: met in this walk
};

// F of animal `a` (`a` == `b`), or of a virtual offspring of `a` and `b`
// (their kinship), seeing animals 1..n only. `pedigree_pairs` and
// `inbreeding` are one-based (entry 0 unused) with at least n + 1 entries;
// every known parent must have a lower number than its young.
void calc_inbreeding(std::int32_t a, std::int32_t b, float& f, std::int32_t n,
                     std::span<const parent_pair> pedigree_pairs, std::span<const float> inbreeding,
                     inbreeding_work& work);

// Sets `inbreeding` of every animal of the sorted table, with progress lines
// on the console. The caller writes the closing time stamp.
void calc_inbreeding_coefficients(run_context& ctx, animal_table& animal);

}  // namespace veldmarsh
