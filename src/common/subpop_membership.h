// Which subpopulations each animal belongs to: subpopulation j when its code
// equals entry j of the steering file's codes (blank-padded text); a code
// listed twice makes its animals members of both. Resolved once per distinct
// code among the table's texts, so that an animal's subpopulations are one
// look-up by its code's number.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/animal_record.h"
#include "common/settings.h"

namespace veldmarsh {

struct subpop_membership {
  std::int32_t n_subpop = 0;
  // By the number of a subpopulation code among the table's texts: its
  // subpopulations 1..n_subpop, increasing (none for a code not defined).
  std::vector<std::vector<std::int32_t>> of_code;
};

subpop_membership make_subpop_membership(const settings& cfg, const animal_table& animal);

// The subpopulations of animal `a` (empty when it belongs to none).
inline std::span<const std::int32_t> subpops_of(const subpop_membership& membership, const animal_record& a) {
  return membership.of_code[a.subpop_code.number];
}

}  // namespace veldmarsh
