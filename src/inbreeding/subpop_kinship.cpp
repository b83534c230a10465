// The row of within and between kinships of one birth year (see the header).
#include "inbreeding/subpop_kinship.h"

#include <cassert>

namespace veldmarsh {

std::int64_t subpop_kinship_columns(std::int64_t n_subpop) {
  if (n_subpop < 0) n_subpop = 0;
  return 2 * n_subpop + n_subpop * (n_subpop - 1) / 2;
}

std::int64_t subpop_pair_column(std::int64_t j, std::int64_t k, std::int64_t n_subpop) {
  assert(1 <= j && j < k && k <= n_subpop);
  return 2 * n_subpop + (j - 1) * n_subpop - j * (j - 1) / 2 + (k - j);
}

void clear_subpop_sums(subpop_sums& sums, std::int32_t n_subpop) {
  std::size_t n = static_cast<std::size_t>(n_subpop) + 1;
  std::size_t n_pairs = static_cast<std::size_t>(subpop_kinship_columns(n_subpop) - 2 * n_subpop) + 1;
  sums.count.assign(n, 0);
  sums.sum_inbreeding.assign(n, 0.0);
  sums.within.assign(n, 0.0);
  sums.between.assign(n_pairs, 0.0);
}

void calc_subpop_kinship(const subpop_sums& sums, std::int32_t n_subpop, std::span<float> subpop_row) {
  assert(static_cast<std::int64_t>(subpop_row.size()) == subpop_kinship_columns(n_subpop));
  auto column = [&](std::int64_t c) -> float& { return subpop_row[static_cast<std::size_t>(c - 1)]; };
  for (std::int32_t j = 1; j <= n_subpop; ++j) {
    double nj = static_cast<double>(sums.count[j]);
    if (sums.count[j] < 2) continue;
    column(2 * j - 1) = static_cast<float>(sums.sum_inbreeding[j] / nj);
    // The diagonal leaves as the members' number plus their stored F.
    column(2 * j) = static_cast<float>((sums.within[j] - sums.sum_inbreeding[j] - nj) / (nj * (nj - 1.0)));
    for (std::int32_t k = j + 1; k <= n_subpop; ++k) {
      if (sums.count[k] < 1) continue;
      std::int64_t c = subpop_pair_column(j, k, n_subpop);
      double nk = static_cast<double>(sums.count[k]);
      column(c) = static_cast<float>(sums.between[static_cast<std::size_t>(c - 2 * n_subpop)] / (nj * nk));
    }
  }
}

}  // namespace veldmarsh
