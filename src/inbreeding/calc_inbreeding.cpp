// Inbreeding coefficients by the ancestor walk.
//
// A walk first gathers the animal's ancestors, marking each in a bit table,
// then puts them in decreasing number and only then passes the shares down
// and sums the terms. So shares reach an ancestor in the order its young
// are visited and the terms are summed in the order of the visits: every
// single-precision rounding is that of a walk down an ordered list of
// ancestors, without a search through the list. Full sibs have the same walk, so each family is
// walked once, wherever its members stand in the table.
#include "inbreeding/calc_inbreeding.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "common/free_format.h"
#include "common/progress_interval.h"
#include "common/stops.h"

namespace veldmarsh {

namespace {

// What the walk needs of one visited animal: its parents, the smaller number
// first (0 = unknown), and its own Mendelian sampling variance, which depends
// only on the parents' coefficients.
struct ancestor_node {
  std::int32_t lo = 0;
  std::int32_t hi = 0;
  float variance = 1.0f;
  float contribution = 0.0f;  // used where the node is stored for a whole loop (below)
};

// 0.5 - (F of lo + F of hi) x 0.25, where an unknown parent counts as F = -1:
// 1 without known parents, 0.75 - F / 4 with one, 0.5 - (Fs + Fd) / 4 with both.
inline float sampling_variance(float f_lo, float f_hi) { return 0.5f - (f_lo + f_hi) * 0.25f; }

// Marks x as met; false when it was met already.
inline bool mark_met(std::uint64_t* met, std::uint64_t x) {
  std::uint64_t& word = met[x >> 6];
  const std::uint64_t bit = std::uint64_t{1} << (x & 63);
  if (word & bit) return false;
  word |= bit;
  return true;
}

// Puts the distinct numbers a[0..n) in decreasing order; `room` holds n.
// Few numbers by insertion; more by their bytes from the lowest up (a
// stable counting pass per byte), which takes no unpredictable branch.
void sort_decreasing(std::int32_t* a, std::int64_t n, std::int32_t* room) {
  if (n < 48) {
    for (std::int64_t i = 1; i < n; ++i) {
      const std::int32_t x = a[i];
      std::int64_t j = i;
      for (; j > 0 && a[j - 1] < x; --j) a[j] = a[j - 1];
      a[j] = x;
    }
    return;
  }
  std::uint32_t largest = 0;
  for (std::int64_t i = 0; i < n; ++i) largest = std::max(largest, static_cast<std::uint32_t>(a[i]));
  std::int32_t* from = a;
  std::int32_t* to = room;
  for (int shift = 0; shift < 32 && (largest >> shift) != 0; shift += 8) {
    // Higher bytes first: bucket 255 - byte.
    std::uint32_t start[257] = {};
    for (std::int64_t i = 0; i < n; ++i) ++start[256 - ((static_cast<std::uint32_t>(from[i]) >> shift) & 255u)];
    for (int b = 0; b < 256; ++b) start[b + 1] += start[b];
    for (std::int64_t i = 0; i < n; ++i)
      to[start[255 - ((static_cast<std::uint32_t>(from[i]) >> shift) & 255u)]++] = from[i];
    std::swap(from, to);
  }
  if (from != a) std::copy(from, from + n, a);
}

void size_work(inbreeding_work& work, std::int64_t entries, bool with_shares) {
  if (with_shares && static_cast<std::int64_t>(work.contribution.size()) < entries)
    work.contribution.resize(static_cast<std::size_t>(entries), 0.0f);
  if (static_cast<std::int64_t>(work.ancestors.size()) < entries) {
    work.ancestors.resize(static_cast<std::size_t>(entries), 0);
    work.sorting.resize(static_cast<std::size_t>(entries), 0);
  }
  if (static_cast<std::int64_t>(work.met.size()) * 64 < entries)
    work.met.resize(static_cast<std::size_t>((entries + 63) / 64), 0);
}

// The walk from `start` down its ancestors; returns F. `node_of(j)` gives the
// parents and variance of animal j, `node_of.share(j)` its share.
//
// First the ancestors are gathered, in any order: each one met is listed
// once, and the loads of the listed animals do not wait for one another.
// Then they are put in decreasing order, and only then are the shares
// passed down and the terms summed, in that order. Every share is 0 again
// at the end and no animal is marked, also on a pedigree where a parent
// does not come before its young (the result has no meaning there).
template <class node_source>
float walk_ancestors(std::int32_t start, const node_source& node_of, inbreeding_work& work) {
  std::int32_t* listed = work.ancestors.data();
  std::uint64_t* met = work.met.data();
  std::int64_t n_listed = 0;
  mark_met(met, static_cast<std::uint64_t>(start));
  listed[n_listed++] = start;
  for (std::int64_t k = 0; k < n_listed; ++k) {
    ancestor_node node = node_of(listed[k]);
    if (node.hi > 0 && mark_met(met, static_cast<std::uint64_t>(node.hi))) {
      node_of.prefetch(node.hi);
      listed[n_listed++] = node.hi;
    }
    if (node.lo > 0 && mark_met(met, static_cast<std::uint64_t>(node.lo))) {
      node_of.prefetch(node.lo);
      listed[n_listed++] = node.lo;
    }
  }
  for (std::int64_t k = 0; k < n_listed; ++k) met[static_cast<std::uint64_t>(listed[k]) >> 6] = 0;
  sort_decreasing(listed, n_listed, work.sorting.data());

  node_of.share(start) = 1.0f;
  float sum = -1.0f;
  for (std::int64_t k = 0; k < n_listed; ++k) {
    std::int32_t j = listed[k];
    ancestor_node node = node_of(j);
    float half = 0.5f * node_of.share(j);
    if (node.hi > 0) {
      node_of.share(node.hi) = node_of.share(node.hi) + half;
      if (node.lo > 0) node_of.share(node.lo) = node_of.share(node.lo) + half;
    }
    float c = node_of.share(j);  // read again: unchanged unless j is its own parent
    float c_squared = c * c;
    sum = sum + c_squared * node.variance;
  }
  for (std::int64_t k = 0; k < n_listed; ++k) node_of.share(listed[k]) = 0.0f;
  return sum;
}

// Nodes from a pair table and a coefficient table, as `calc_inbreeding` gets
// them; animal n + 1 is the virtual offspring of the two-animal mode.
struct pair_table_nodes {
  std::span<const parent_pair> pairs;
  std::span<const float> inbreeding;
  std::int64_t n;
  ancestor_node virtual_offspring;
  float* shares;  // the work table of shares

  // A number outside 1..n counts as an unknown parent.
  std::int32_t checked(std::int32_t k) const { return k > 0 && k <= n ? k : 0; }
  float f_of(std::int32_t k) const { return k == 0 ? -1.0f : inbreeding[static_cast<std::size_t>(k)]; }
  ancestor_node make(std::int32_t p, std::int32_t q) const {
    std::int32_t lo = std::min(p, q), hi = std::max(p, q);
    return {lo, hi, sampling_variance(f_of(lo), f_of(hi))};
  }
  ancestor_node operator()(std::int64_t j) const {
    if (j > n) return virtual_offspring;
    const parent_pair& pair = pairs[static_cast<std::size_t>(j)];
    return make(checked(pair.sire), checked(pair.dam));
  }
  float& share(std::int64_t j) const { return shares[j]; }
  void prefetch(std::int64_t) const {}
};

// Nodes prepared once per animal by the loop over the table. The share sits
// beside the parents, so that the walk touches one place per ancestor.
struct prepared_nodes {
  ancestor_node* nodes;
  ancestor_node operator()(std::int64_t j) const { return nodes[j]; }
  float& share(std::int64_t j) const { return nodes[j].contribution; }
  void prefetch(std::int64_t j) const { __builtin_prefetch(&nodes[j]); }
};

// The coefficients of the families already walked, by their two parents
// (the smaller number first). Full sibs share every ancestor, share and term
// of the walk, so their coefficients are equal bit for bit wherever they
// stand in the table; a family is walked once. Open addressing, doubled when
// half full.
struct family_table {
  std::vector<std::uint64_t> keys;  // 0 = empty: a family's larger parent is never 0
  std::vector<float> values;
  std::int64_t n_families = 0;
  int bits = 0;
};

inline std::uint64_t family_key(std::int32_t lo, std::int32_t hi) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(lo)) << 32) | static_cast<std::uint32_t>(hi);
}

inline std::size_t family_slot(const family_table& table, std::uint64_t key) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> (64 - table.bits));
}

// The entry of `key`: its slot, holding the key or 0 when the family is new.
inline std::size_t find_family(const family_table& table, std::uint64_t key) {
  std::size_t mask = table.keys.size() - 1;
  std::size_t slot = family_slot(table, key);
  while (table.keys[slot] != 0 && table.keys[slot] != key) slot = (slot + 1) & mask;
  return slot;
}

void size_families(family_table& table, int bits) {
  std::vector<std::uint64_t> old_keys = std::move(table.keys);
  std::vector<float> old_values = std::move(table.values);
  table.bits = bits;
  table.keys.assign(std::size_t{1} << bits, 0);
  table.values.assign(std::size_t{1} << bits, 0.0f);
  for (std::size_t k = 0; k < old_keys.size(); ++k)
    if (old_keys[k] != 0) {
      std::size_t slot = find_family(table, old_keys[k]);
      table.keys[slot] = old_keys[k];
      table.values[slot] = old_values[k];
    }
}

void add_family(family_table& table, std::size_t slot, std::uint64_t key, float f) {
  table.keys[slot] = key;
  table.values[slot] = f;
  if (++table.n_families * 2 > static_cast<std::int64_t>(table.keys.size())) size_families(table, table.bits + 1);
}

}  // namespace

void calc_inbreeding(std::int32_t a, std::int32_t b, float& f, std::int32_t n,
                     std::span<const parent_pair> pedigree_pairs, std::span<const float> inbreeding,
                     inbreeding_work& work) {
  assert(n >= 0 && a >= 0 && a <= n && b >= 0 && b <= n);
  assert(static_cast<std::int64_t>(pedigree_pairs.size()) > n && static_cast<std::int64_t>(inbreeding.size()) > n);
  f = 0.0f;
  pair_table_nodes nodes{pedigree_pairs, inbreeding, n, {}, nullptr};
  std::int64_t start;
  if (a == b) {
    ancestor_node own = nodes(a);
    if (a == 0 || own.lo == 0) return;
    start = a;
  } else {
    if (a == 0 || b == 0) return;
    nodes.virtual_offspring = nodes.make(a, b);
    start = static_cast<std::int64_t>(n) + 1;
  }
  size_work(work, static_cast<std::int64_t>(n) + 2, true);
  nodes.shares = work.contribution.data();
  f = walk_ancestors(static_cast<std::int32_t>(start), nodes, work);
}

void calc_inbreeding_coefficients(run_context& ctx, animal_table& animal) {
  const std::int64_t n_animals = animal.size();
  const bool english = ctx.cfg.english;
  const std::int64_t interval = progress_interval(n_animals, inbreeding_progress);

  // Walks read the coefficients from f_table only; every record gets its own
  // in table order. The shares of a walk sit in the nodes.
  std::vector<float> f_table;
  std::vector<ancestor_node> nodes;
  inbreeding_work work;
  allocate_tables(ctx, "the work tables of the inbreeding coefficients", [&] {
    f_table.assign(static_cast<std::size_t>(n_animals) + 1, 0.0f);
    nodes.assign(static_cast<std::size_t>(n_animals) + 1, ancestor_node{});
    size_work(work, n_animals + 2, false);
    return true;
  });
  // Entry 0 stands for an unknown parent: F = -1 makes the variance formula
  // right without a special case.
  f_table[0] = -1.0f;
  prepared_nodes source{nodes.data()};
  family_table families;
  size_families(families, 10);

  std::int32_t previous_sire = -1, previous_dam = -1;
  std::int64_t counter = 0;
  for (std::int64_t i = 1; i <= n_animals; ++i) {
    if (counter == interval) {
      if (english)
        write_free_line(ctx.console, {"animal no. ", i - 1, "inbreeding coefficient estimated"});
      else
        write_free_line(ctx.console, {"dier nr ", i - 1, "inteeltco\xEB" "ffici\xEB" "nt berekend"});
      show_progress(ctx.console);
      counter = 0;
    }
    ++counter;

    std::int32_t s = animal[i].sire_nr, d = animal[i].dam_nr;
    // The sort puts every parent before its young; a number out of place is
    // taken as unknown, so that nothing reads outside the tables.
    assert(s >= 0 && s < i && d >= 0 && d < i);
    std::int32_t s_known = s > 0 && s < i ? s : 0, d_known = d > 0 && d < i ? d : 0;
    ancestor_node& node = nodes[static_cast<std::size_t>(i)];
    node.lo = std::min(s_known, d_known);
    node.hi = std::max(s_known, d_known);
    node.variance = sampling_variance(f_table[static_cast<std::size_t>(node.lo)],
                                      f_table[static_cast<std::size_t>(node.hi)]);

    float f;
    if (s == 0 || d == 0 || node.lo == 0)
      f = 0.0f;
    else if (s == previous_sire && d == previous_dam)
      f = f_table[static_cast<std::size_t>(i) - 1];  // a full sib in the row above
    else {
      std::uint64_t key = family_key(node.lo, node.hi);
      std::size_t slot = find_family(families, key);
      if (families.keys[slot] == key) {
        f = families.values[slot];  // a full sib further up
      } else {
        f = walk_ancestors(static_cast<std::int32_t>(i), source, work);
        add_family(families, slot, key, f);
      }
    }
    f_table[static_cast<std::size_t>(i)] = f;
    animal[i].inbreeding = f;
    previous_sire = s;
    previous_dam = d;
  }
}

}  // namespace veldmarsh
