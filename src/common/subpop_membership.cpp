// Subpopulations by code.
#include "common/subpop_membership.h"

#include <algorithm>

namespace veldmarsh {

subpop_membership make_subpop_membership(const settings& cfg, const animal_table& animal) {
  subpop_membership membership;
  membership.n_subpop = cfg.n_subpop > 0 ? cfg.n_subpop : 0;
  membership.of_code.assign(text_count(animal.texts.subpop_codes), {});
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(membership.n_subpop), cfg.subpop_codes.size());
  for (std::size_t j = 0; j < n; ++j) {
    const std::int64_t number = find_text<text_field::subpop_code>(animal.texts, cfg.subpop_codes[j].view());
    if (number >= 0) membership.of_code[static_cast<std::size_t>(number)].push_back(static_cast<std::int32_t>(j + 1));
  }
  return membership;
}

}  // namespace veldmarsh
