// One column of the additive relationship matrix by an up pass over j's
// ancestors and a down pass over every animal (see the header).
#include "inbreeding/calc_relationship_column.h"

#include <cassert>
#include <vector>

#include "common/free_format.h"

namespace veldmarsh {

namespace {

// A parent number the down pass can follow: anything outside 0..n counts as
// an unknown parent, so that a broken pedigree never reads outside the column.
std::int32_t usable_parent(std::int32_t p, std::int32_t n) { return p >= 0 && p <= n ? p : 0; }

}  // namespace

void calc_relationship_column(output_channel& console, std::span<double> relationship_column,
                              std::span<const parent_numbers> ped, std::int32_t n, std::int32_t j,
                              std::span<const double> f8) {
  assert(n >= 0 && static_cast<std::size_t>(n) < relationship_column.size());
  assert(static_cast<std::size_t>(n) < ped.size() && static_cast<std::size_t>(n) < f8.size());
  assert(f8[0] == 0.0);
  for (std::int32_t i = 1; i <= n; ++i) relationship_column[i] = 0.0;
  if (j < 1 || j > n) return;

  // Up pass: the share of j's genes that each ancestor passed on (row j of T).
  std::vector<double> share(static_cast<std::size_t>(n) + 1, 0.0);
  share[j] = 1.0;
  for (std::int32_t k = j; k >= 1; --k) {
    if (!(share[k] > 0.0)) continue;
    std::int32_t s = ped[k][0];
    std::int32_t d = ped[k][1];
    if (s > n) {
      write_free_line(console, {"sire larger then nPed", k, s});
    } else if (s > 0) {
      share[s] += 0.5 * share[k];
    }
    if (d > n) {
      write_free_line(console, {k, d});
      write_free_line(console, {"dam larger then nPed", k, d});
    } else if (d > 0) {
      share[d] += 0.5 * share[k];
    }
  }

  // Down pass: every animal's relationship with j is the mean of its
  // parents' plus, for j and its ancestors, its own Mendelian sampling.
  for (std::int32_t i = 1; i <= n; ++i) {
    std::int32_t s = usable_parent(ped[i][0], n);
    std::int32_t d = usable_parent(ped[i][1], n);
    int n_unknown = (s == 0 ? 1 : 0) + (d == 0 ? 1 : 0);
    double mendelian_variance = ((2 + n_unknown) - f8[s] - f8[d]) * 0.25;
    double from_sire = s == 0 ? 0.0 : relationship_column[s];
    double from_dam = d == 0 ? 0.0 : relationship_column[d];
    relationship_column[i] = 0.5 * (from_sire + from_dam);
    if (share[i] > 0.0) relationship_column[i] += share[i] * mendelian_variance;
  }
}

}  // namespace veldmarsh
