// Kinship per birth year without a relationship matrix (see the header for
// the method). The console shows, for every year, the year, its size and the
// progress lines at the cadence of a column-by-column computation, so that
// a run reads the same whatever the method.
#include "inbreeding/calc_kinship_by_year.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <limits>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "common/progress_interval.h"
#include "common/subpop_membership.h"
#include "inbreeding/subpop_kinship.h"

namespace veldmarsh {

void assign_month_blocks(const animal_table& animal, std::int64_t n, std::span<const std::int32_t> year_rows,
                         std::vector<std::int32_t>& block, std::int32_t& n_blocks, std::int64_t part_size) {
  assert(n >= 0 && static_cast<std::size_t>(n) <= year_rows.size() && part_size > 0);
  n_blocks = static_cast<std::int32_t>(n / part_size + 1);
  std::int64_t target = n / n_blocks;
  block.assign(static_cast<std::size_t>(n), n_blocks);

  std::int64_t in_month[13] = {};
  for (std::int64_t i = 0; i < n; ++i) {
    std::int32_t month = animal[year_rows[static_cast<std::size_t>(i)]].birth_month;
    if (month >= 1 && month <= 12) ++in_month[month];
  }
  // Whole months in order until a part reaches the target; the last part
  // takes what is left. With one part there is nothing to hand out.
  std::int32_t part_of_month[13];
  std::fill(std::begin(part_of_month), std::end(part_of_month), n_blocks);
  std::int32_t b = 1;
  std::int64_t count = 0;
  for (std::int32_t month = 1; month <= 12 && b < n_blocks; ++month) {
    part_of_month[month] = b;
    count += in_month[month];
    if (count >= target) {
      ++b;
      count = 0;
    }
  }
  for (std::int64_t i = 0; i < n; ++i) {
    std::int32_t month = animal[year_rows[static_cast<std::size_t>(i)]].birth_month;
    if (month >= 1 && month <= 12) block[static_cast<std::size_t>(i)] = part_of_month[month];
  }
}

namespace {

constexpr int max_slots = 8;  // sets of one pass; bounds the values to 8 doubles per animal of a year's ancestry

// The sets of a year that go through one pass: all animals, parents,
// fathers, mothers, or the members of one subpopulation.
enum slot_kind : int { slot_all, slot_parents, slot_fathers, slot_mothers, slot_subpop };

struct slot {
  slot_kind kind;
  std::int32_t subpop = 0;  // 1..n_subpop for slot_subpop
};

// Parents and Mendelian sampling variance D (from the parents' stored F) of
// one animal: in the pedigree by the parents' numbers (0 = unknown), in a
// year's ancestry by their places in it (its size = unknown).
struct ancestry_node {
  std::int32_t sire = 0;
  std::int32_t dam = 0;
  double variance = 0.0;
};

// Work tables of one call, sized by the pedigree or by the largest year's
// ancestry, kept for every year. The passes of a year run over its
// ancestry, the year's animals and all their ancestors listed from the
// highest number down: each pass reads that list in order, and an animal's
// node and values are found by its place in it, in tables of the year's
// size rather than the pedigree's.
struct kinship_work {
  const animal_table* animal = nullptr;
  const subpop_membership* membership = nullptr;
  std::int32_t n_subpop = 0;
  std::int64_t width = 0;                 // slots one pass holds
  std::vector<ancestry_node> pedigree;    // by animal number
  std::vector<std::uint64_t> found;       // one bit per animal: in the ancestry, not yet listed
  std::vector<std::int32_t> place;        // by animal number: its place in the current year's ancestry
  std::vector<ancestry_node> nodes;       // by place; parents by place
  std::int32_t n_places = 0;
  std::vector<double> values;             // by place, the values of every slot of a pass (all 0 between passes)
  std::vector<std::uint8_t> in_slots;     // per member of a pass: bit k when it is in slot k

  double* row(std::int32_t at, int w) { return values.data() + static_cast<std::int64_t>(at) * w; }
};

void prepare_work(kinship_work& w, const animal_table& animal, const subpop_membership& membership) {
  std::int64_t n = animal.size();
  w.animal = &animal;
  w.membership = &membership;
  w.n_subpop = membership.n_subpop;
  // One value per set of a pass: four sets of the year and its subpopulations.
  w.width = std::min<std::int64_t>(max_slots, 4 + (membership.n_subpop > 1 ? membership.n_subpop : 0));
  w.found.assign(static_cast<std::size_t>(n / 64 + 1), 0);
  w.place.assign(static_cast<std::size_t>(n + 1), 0);
  w.pedigree.assign(static_cast<std::size_t>(n + 1), ancestry_node{});
  // The coefficients in a compact table first: the parents' are read out of
  // order.
  std::vector<float> f(static_cast<std::size_t>(n + 1), 0.0f);
  for (std::int64_t i = 1; i <= n; ++i) f[static_cast<std::size_t>(i)] = animal[i].inbreeding;
  for (std::int64_t i = 1; i <= n; ++i) {
    const animal_record& r = animal[i];
    // The sort places parents before their young; a number that breaks this
    // counts as an unknown parent rather than reading outside the passes.
    assert(r.sire_nr >= 0 && r.sire_nr < i && r.dam_nr >= 0 && r.dam_nr < i);
    std::int32_t s = r.sire_nr > 0 && r.sire_nr < i ? r.sire_nr : 0;
    std::int32_t d = r.dam_nr > 0 && r.dam_nr < i ? r.dam_nr : 0;
    int n_unknown = (s == 0 ? 1 : 0) + (d == 0 ? 1 : 0);
    double fs = s == 0 ? 0.0 : static_cast<double>(f[static_cast<std::size_t>(s)]);
    double fd = d == 0 ? 0.0 : static_cast<double>(f[static_cast<std::size_t>(d)]);
    w.pedigree[static_cast<std::size_t>(i)] = {s, d, ((2 + n_unknown) - fs - fd) * 0.25};
  }
}

// Lists the animals of `year_rows` and all their ancestors from the highest
// number down, and gives each its place in the list and its node with its
// parents' places. Room is made for the values of max_slots slots.
void find_year_ancestry(kinship_work& w, std::span<const std::int32_t> year_rows) {
  std::int32_t top = 0;
  for (std::int32_t t : year_rows) {
    w.found[static_cast<std::size_t>(t >> 6)] |= std::uint64_t{1} << (t & 63);
    top = std::max(top, t);
  }
  w.nodes.clear();
  std::vector<std::int32_t>& place = w.place;
  for (std::int64_t word = top >> 6; word >= 0; --word) {
    std::uint64_t bits = w.found[static_cast<std::size_t>(word)];
    while (bits != 0) {
      int b = 63 - std::countl_zero(bits);
      std::int32_t i = static_cast<std::int32_t>((word << 6) + b);
      const ancestry_node& node = w.pedigree[static_cast<std::size_t>(i)];
      place[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(w.nodes.size());
      w.nodes.push_back(node);
      for (std::int32_t p : {node.sire, node.dam})
        if (p != 0) w.found[static_cast<std::size_t>(p >> 6)] |= std::uint64_t{1} << (p & 63);
      // Parents found just now may lie in this same word, below bit b.
      bits = w.found[static_cast<std::size_t>(word)] & ((std::uint64_t{1} << b) - 1);
    }
    w.found[static_cast<std::size_t>(word)] = 0;
  }
  const std::int32_t n = static_cast<std::int32_t>(w.nodes.size());
  w.n_places = n;
  for (ancestry_node& node : w.nodes) {
    node.sire = node.sire == 0 ? n : place[static_cast<std::size_t>(node.sire)];
    node.dam = node.dam == 0 ? n : place[static_cast<std::size_t>(node.dam)];
  }
  // One row more, of zeros, for an unknown parent.
  const std::size_t needed = static_cast<std::size_t>(n + 1) * max_slots;
  if (w.values.size() < needed) w.values.resize(needed, 0.0);
}

bool is_member(const kinship_work& w, std::int32_t t, const slot& s) {
  const animal_record& r = (*w.animal)[t];
  switch (s.kind) {
    case slot_all: return true;
    case slot_parents: return r.has_counted_offspring;
    case slot_fathers: return r.has_counted_offspring && r.sex == 1;
    case slot_mothers: return r.has_counted_offspring && r.sex == 2;
    case slot_subpop:
      for (std::int32_t j : subpops_of(*w.membership, (*w.animal)[t]))
        if (j == s.subpop) return true;
      return false;
  }
  return false;
}

// The up pass over the year's ancestry, from the highest number down: each
// animal with a value adds half of each of its W values to its parents',
// and then `visit(row, d)` gets its complete values and its D. An animal
// whose values are all 0 (not reached by the sets of this pass) adds
// nothing anywhere and is passed over.
template <int W, typename Visit>
void pass_up(kinship_work& w, Visit&& visit) {
  const std::int32_t n = w.n_places;
  for (std::int32_t at = 0; at < n; ++at) {
    double* row = w.row(at, W);
    bool reached = false;
    for (int k = 0; k < W; ++k) reached = reached || row[k] != 0.0;
    if (!reached) continue;
    const ancestry_node& node = w.nodes[static_cast<std::size_t>(at)];
    for (std::int32_t p : {node.sire, node.dam}) {
      if (p == n) continue;
      double* up = w.row(p, W);
      for (int k = 0; k < W; ++k) up[k] += 0.5 * row[k];
    }
    visit(row, node.variance);
  }
}

// Replaces the W values of every animal of the ancestry by A times them:
// the up pass, each value scaled by D, then the down pass back up the
// ancestry, each taking its own scaled value plus half of its parents'.
template <int W>
void multiply_by_relationship(kinship_work& w) {
  pass_up<W>(w, [&](double* row, double d) {
    for (int k = 0; k < W; ++k) row[k] *= d;
  });
  // The row past the last stands for an unknown parent and stays 0.
  for (std::int32_t at = w.n_places - 1; at >= 0; --at) {
    const ancestry_node& node = w.nodes[static_cast<std::size_t>(at)];
    double* row = w.row(at, W);
    const double* rs = w.row(node.sire, W);
    const double* rd = w.row(node.dam, W);
    for (int k = 0; k < W; ++k) row[k] += 0.5 * (rs[k] + rd[k]);
  }
}

// Sums of relationships over one set of animals (table numbers in
// increasing order) for up to max_slots slots: self_sums[k] += x'Ax for the
// members x of slot k; a subpopulation slot j also adds, to the pair sums,
// its relationships with the members of every later subpopulation.
template <int W>
void sum_relationships(kinship_work& w, std::span<const std::int32_t> members, std::span<const slot> slots,
                       double* self_sums, subpop_sums* sums) {
  assert(static_cast<int>(slots.size()) == W && !members.empty());
  // Which slots each member is in is found once, bit k for slot k; a pair
  // sum reads a subpopulation's values at the members of later ones.
  std::vector<std::uint8_t>& in_slots = w.in_slots;
  in_slots.resize(members.size());
  for (std::size_t m = 0; m < members.size(); ++m) {
    const std::int32_t t = members[m];
    double* row = w.row(w.place[static_cast<std::size_t>(t)], W);
    std::uint8_t bits = 0;
    for (int k = 0; k < W; ++k)
      if (is_member(w, t, slots[k])) {
        bits = static_cast<std::uint8_t>(bits | (1u << k));
        row[k] = 1.0;
      }
    in_slots[m] = bits;
  }
  multiply_by_relationship<W>(w);
  const bool any_subpop_slot = slots.back().kind == slot_subpop;
  for (std::size_t m = 0; m < members.size(); ++m) {
    const std::int32_t t = members[m];
    const double* z = w.row(w.place[static_cast<std::size_t>(t)], W);
    const std::span<const std::int32_t> subpops =
        any_subpop_slot ? subpops_of(*w.membership, (*w.animal)[t]) : std::span<const std::int32_t>();
    for (int k = 0; k < W; ++k) {
      if (in_slots[m] & (1u << k)) self_sums[k] += z[k];
      if (slots[k].kind != slot_subpop) continue;
      std::int32_t j = slots[k].subpop;
      for (std::int32_t later : subpops)
        if (later > j)
          sums->between[static_cast<std::size_t>(subpop_pair_column(j, later, w.n_subpop) - 2 * w.n_subpop)] += z[k];
    }
  }
  std::fill_n(w.values.begin(), static_cast<std::size_t>(w.n_places) * W, 0.0);
}

// Every sum of up to max_slots slots in one up pass. With A = T D T',
// x'Ay = (T'x)' D (T'y): the up pass gathers w = T'x of every slot into the
// animals reached, and each animal, once its weights are complete (all its
// young among the reached have passed theirs up), adds its Mendelian
// sampling variance times the products of its weights: with itself for the
// self sums, and for every pair of subpopulation slots for the pair sums.
// No down pass is needed when every slot of the sets is in this one pass.
// The caller has set each member's values.
template <int W>
void sum_by_weights(kinship_work& w, std::span<const slot> slots, double* self_sums, subpop_sums* sums) {
  // The pairs of subpopulation slots a < b, with their column of pair sums.
  struct slot_pair {
    int a, b;
    std::size_t between;
  };
  slot_pair pairs[max_slots * (max_slots - 1) / 2];
  int n_pairs = 0;
  for (int a = 0; a < W; ++a)
    for (int b = a + 1; b < W; ++b)
      if (slots[a].kind == slot_subpop && slots[b].kind == slot_subpop)
        pairs[n_pairs++] = {a, b,
                            static_cast<std::size_t>(subpop_pair_column(slots[a].subpop, slots[b].subpop, w.n_subpop) -
                                                     2 * w.n_subpop)};
  double self[W] = {};
  double pair_sums[max_slots * (max_slots - 1) / 2] = {};
  pass_up<W>(w, [&](double* row, double d) {
    for (int k = 0; k < W; ++k) self[k] += d * row[k] * row[k];
    for (int q = 0; q < n_pairs; ++q) pair_sums[q] += d * row[pairs[q].a] * row[pairs[q].b];
    for (int k = 0; k < W; ++k) row[k] = 0.0;
  });
  for (int k = 0; k < W; ++k) self_sums[k] += self[k];
  for (int q = 0; q < n_pairs; ++q) sums->between[pairs[q].between] += pair_sums[q];
}

// The six statistics of a set of animals: counts, F sums and relationship
// sums of all members, parents, fathers and mothers.
struct set_sums {
  std::int64_t count[4] = {};
  double sum_inbreeding[4] = {};
  double relationship[4] = {};
};

// Counts and F sums of the set of `members` (unless `set` is null: the
// subpopulations alone) and, with `sums`, of the subpopulations of
// `subpop_members` (the same animals, but for the first part of a split
// year, which shares its pass with its whole year's subpopulations); then
// every relationship sum, in one pass when the slots of the sets fit in one
// (else max_slots sets a pass, `members` and `subpop_members` the same).
void sum_set(kinship_work& w, std::span<const std::int32_t> members, set_sums* set,
             std::span<const std::int32_t> subpop_members, subpop_sums* sums) {
  std::vector<slot> slots;
  if (set != nullptr) slots = {{slot_all}, {slot_parents}, {slot_fathers}, {slot_mothers}};
  const std::size_t first_subpop_slot = slots.size();
  if (sums != nullptr)
    for (std::int32_t j = 1; j <= w.n_subpop; ++j) slots.push_back({slot_subpop, j});
  // With every slot in one pass, each member's values are set while its
  // record is read for the counts.
  const bool one_pass = static_cast<std::int64_t>(slots.size()) <= w.width;
  assert(one_pass || members.data() == subpop_members.data() || sums == nullptr);
  const int stride = static_cast<int>(slots.size());
  for (std::int32_t t : members) {
    if (set == nullptr) break;
    const double f = (*w.animal)[t].inbreeding;
    double* row = w.row(w.place[static_cast<std::size_t>(t)], stride);
    for (std::size_t k = 0; k < first_subpop_slot; ++k)
      if (is_member(w, t, slots[k])) {
        ++set->count[k];
        set->sum_inbreeding[k] += f;
        if (one_pass) row[k] = 1.0;
      }
  }
  for (std::int32_t t : subpop_members) {
    if (sums == nullptr) break;
    const animal_record& r = (*w.animal)[t];
    double* row = w.row(w.place[static_cast<std::size_t>(t)], stride);
    for (std::int32_t j : subpops_of(*w.membership, r)) {
      ++sums->count[static_cast<std::size_t>(j)];
      sums->sum_inbreeding[static_cast<std::size_t>(j)] += r.inbreeding;
      if (one_pass) row[first_subpop_slot + static_cast<std::size_t>(j) - 1] = 1.0;
    }
  }
  std::vector<double> self_sums(slots.size(), 0.0);
  switch (one_pass ? slots.size() : 0) {
    case 1: sum_by_weights<1>(w, slots, self_sums.data(), sums); break;
    case 2: sum_by_weights<2>(w, slots, self_sums.data(), sums); break;
    case 3: sum_by_weights<3>(w, slots, self_sums.data(), sums); break;
    case 4: sum_by_weights<4>(w, slots, self_sums.data(), sums); break;
    case 5: sum_by_weights<5>(w, slots, self_sums.data(), sums); break;
    case 6: sum_by_weights<6>(w, slots, self_sums.data(), sums); break;
    case 7: sum_by_weights<7>(w, slots, self_sums.data(), sums); break;
    case 8: sum_by_weights<8>(w, slots, self_sums.data(), sums); break;
    default: break;
  }
  // More slots than a pass holds: passes of max_slots slots, each with a
  // down pass, so that a pair of subpopulations in two passes is summed
  // from the relationships of the one with the members of the other.
  if (!one_pass)
  for (std::size_t first = 0; first < slots.size(); first += max_slots) {
    const std::size_t width = std::min<std::size_t>(max_slots, slots.size() - first);
    const std::span<const slot> some(std::span<const slot>(slots).subspan(first, width));
    double* some_sums = self_sums.data() + first;
    switch (width) {
      case 1: sum_relationships<1>(w, members, some, some_sums, sums); break;
      case 2: sum_relationships<2>(w, members, some, some_sums, sums); break;
      case 3: sum_relationships<3>(w, members, some, some_sums, sums); break;
      case 4: sum_relationships<4>(w, members, some, some_sums, sums); break;
      case 5: sum_relationships<5>(w, members, some, some_sums, sums); break;
      case 6: sum_relationships<6>(w, members, some, some_sums, sums); break;
      case 7: sum_relationships<7>(w, members, some, some_sums, sums); break;
      default: sum_relationships<8>(w, members, some, some_sums, sums); break;
    }
  }
  for (std::size_t k = 0; k < first_subpop_slot; ++k) set->relationship[k] = self_sums[k];
  if (sums != nullptr)
    for (std::int32_t j = 1; j <= w.n_subpop; ++j)
      sums->within[static_cast<std::size_t>(j)] = self_sums[first_subpop_slot + static_cast<std::size_t>(j) - 1];
}

// Mean relationship over all m x m ordered pairs with self.
float mean_with_self(const set_sums& set) {
  double m = static_cast<double>(set.count[slot_all]);
  return static_cast<float>(set.relationship[slot_all] / (m * m));
}

// Mean relationship over pairs of two different members of slot k (at
// least two members): the diagonal leaves as the number of members plus
// their stored F.
float mean_without_self(const set_sums& set, int k) {
  double t = static_cast<double>(set.count[k]);
  return static_cast<float>((set.relationship[k] - t - set.sum_inbreeding[k]) / (t * (t - 1.0)));
}

// Columns 2 to 6 of a set of at least one animal; a column whose set has
// fewer than two members is left as it is.
void store_relationship_means(const set_sums& set, std::span<float> row) {
  row[1] = mean_with_self(set);
  if (set.count[slot_all] >= 2) row[2] = mean_without_self(set, slot_all);
  for (int k = slot_parents; k <= slot_mothers; ++k)
    if (set.count[k] >= 2) row[static_cast<std::size_t>(k + 2)] = mean_without_self(set, k);
}

void write_progress_line(run_context& ctx, std::int64_t number) {
  if (ctx.cfg.english)
    write_free_line(ctx.console, {"animal no. ", static_cast<long>(number), "kinships estimated"});
  else
    write_free_line(ctx.console, {"dier nr ", static_cast<long>(number), "verwantschappen berekend"});
}

void write_part_table(run_context& ctx, std::int64_t year, std::int32_t n_blocks,
                      const std::vector<std::int64_t>& part_counts, const std::vector<float>& part_stats) {
  const std::string_view underline = "________________________________________________________________";
  output_channel& report = ctx.report;
  write_free_line(report, {"           "});
  if (ctx.cfg.english) {
    write_free_line(report, {"           INBREEDING year    ", static_cast<long>(year)});
    write_free_line(report, {underline});
    write_free_line(report, {" Part  # of        F       f       f       f       f     f    "});
    write_free_line(report, {"  of   new        all    incl.   excl. parents fathers mothers"});
    write_free_line(report, {" year  born    animals   self    self        "});
  } else {
    write_free_line(report, {"           INTEELT jaar    ", static_cast<long>(year)});
    write_free_line(report, {underline});
    write_free_line(report, {" deel.    #        F       f       f       f       f     f    "});
    write_free_line(report, {" van    nwe      alle    incl.   excl.   ouders  vaders moeders         "});
    write_free_line(report, {" jaar   dieren  dieren   zelf    zelf                       "});
  }
  write_free_line(report, {underline});
  for (std::int32_t p = 1; p <= n_blocks; ++p) {
    const float* stats = &part_stats[static_cast<std::size_t>(p - 1) * 6];
    write_fixed_line(report, "(I4,I8,6F8.4)",
                     {p, static_cast<long>(part_counts[static_cast<std::size_t>(p - 1)]), stats[0],
                      0.5f * stats[1], 0.5f * stats[2], 0.5f * stats[3], 0.5f * stats[4], 0.5f * stats[5]});
  }
  write_free_line(report, {underline});
  write_free_line(report, {"           "});
}

// A year of at least `split_from` animals: parts of whole birth months, each
// summed on its own; pairs across parts are left out, and the year gets the
// part means weighted by the part sizes (in single precision, part by part).
void handle_split_year(run_context& ctx, kinship_work& w, std::int64_t year, std::span<const std::int32_t> year_rows,
                       std::span<float> row, std::int64_t part_size, subpop_sums* sums) {
  // The subpopulations span the whole year; they share the pass of the
  // first part when its slots and theirs fit in one, else have one of their
  // own.
  bool subpops_summed = sums == nullptr;
  const bool share_a_pass = 4 + w.n_subpop <= w.width;
  const animal_table& animal = *w.animal;
  std::int64_t n = static_cast<std::int64_t>(year_rows.size());
  std::vector<std::int32_t> block;
  std::int32_t n_blocks = 0;
  assign_month_blocks(animal, n, year_rows, block, n_blocks, part_size);
  if (ctx.cfg.english)
    write_free_line(ctx.console, {"year split in ", n_blocks, "parts for computing kinships "});
  else
    write_free_line(ctx.console, {"jaar gesplitst in ", n_blocks, "delen voor berekenen verwantschappen "});

  std::vector<float> part_stats(static_cast<std::size_t>(n_blocks) * 6, 0.0f);
  std::vector<std::int64_t> part_counts(static_cast<std::size_t>(n_blocks), 0);
  const std::int64_t interval = 5000;  // counted over the whole year, across its parts
  std::int64_t counter = 0;
  std::int32_t last_handled = 0;
  std::vector<std::int32_t> part_rows;
  for (std::int32_t p = 1; p <= n_blocks; ++p) {
    part_rows.clear();
    for (std::size_t i = 0; i < year_rows.size(); ++i)
      if (block[i] == p) part_rows.push_back(year_rows[i]);
    std::int64_t m = static_cast<std::int64_t>(part_rows.size());
    part_counts[static_cast<std::size_t>(p - 1)] = m;
    if (ctx.cfg.english)
      write_free_line(ctx.console, {"part number ", p, " with ", static_cast<long>(m), "individuals "});
    else
      write_free_line(ctx.console, {"deel nummer ", p, " met ", static_cast<long>(m), "dieren "});
    // A progress line shows the number of the animal handled before it, less one.
    for (std::int32_t t : part_rows) {
      if (counter == interval) {
        write_progress_line(ctx, static_cast<std::int64_t>(last_handled) - 1);
        show_progress(ctx.console);
        counter = 0;
      }
      ++counter;
      last_handled = t;
    }
    if (m < 1) continue;
    set_sums set;
    if (!subpops_summed && share_a_pass) {
      sum_set(w, part_rows, &set, year_rows, sums);
      subpops_summed = true;
    } else {
      sum_set(w, part_rows, &set, {}, nullptr);
    }
    std::span<float> stats(&part_stats[static_cast<std::size_t>(p - 1) * 6], 6);
    stats[1] = mean_with_self(set);
    if (m >= 2) {
      stats[0] = static_cast<float>(set.sum_inbreeding[slot_all] / static_cast<double>(m));
      store_relationship_means(set, stats);
    }
  }
  if (!subpops_summed) sum_set(w, year_rows, nullptr, year_rows, sums);
  write_part_table(ctx, year, n_blocks, part_counts, part_stats);
  for (std::size_t c = 1; c < 6; ++c) {
    float weighted = 0.0f;
    for (std::int32_t p = 1; p <= n_blocks; ++p)
      weighted += static_cast<float>(part_counts[static_cast<std::size_t>(p - 1)]) *
                  part_stats[static_cast<std::size_t>(p - 1) * 6 + c];
    row[c] = weighted / static_cast<float>(n);
  }
}

}  // namespace

void calc_kinship_by_year(run_context& ctx, const animal_table& animal, const birth_year_groups& groups,
                          inbreeding_results& inbreeding, const kinship_split_sizes& sizes) {
  const std::int64_t n_years = groups.years.n_years;
  year_table<float>& year_inbreeding = inbreeding.year_inbreeding;
  year_table<float>& year_subpop_kinship = inbreeding.year_subpop_kinship;
  if (n_years < 1) return;
  assert(!inbreeding.kinship_scale);
  assert(year_inbreeding.n_rows >= n_years && year_inbreeding.n_cols == 6);
  assert(animal.size() < std::numeric_limits<std::int32_t>::max());
  const subpop_membership membership = make_subpop_membership(ctx.cfg, animal);
  const bool by_subpop = membership.n_subpop > 1;
  assert(!by_subpop || (year_subpop_kinship.n_rows >= n_years &&
                        year_subpop_kinship.n_cols == subpop_kinship_columns(membership.n_subpop)));
  kinship_work w;
  prepare_work(w, animal, membership);

  subpop_sums sums;
  for (std::int64_t k = 1; k <= n_years; ++k) {
    const std::int64_t year = groups.years.year_of(k);
    if (ctx.cfg.english)
      write_free_line(ctx.console, {"compute kinships for year", static_cast<long>(year)});
    else
      write_free_line(ctx.console, {"bereken verwantschappen voor jaar ", static_cast<long>(year)});
    const std::span<const std::int32_t> year_rows = groups.of(k);
    std::int64_t n = static_cast<std::int64_t>(year_rows.size());
    write_free_line(ctx.console, {"number in year = ", static_cast<long>(n)});
    hand_on_lines(ctx.console);
    if (n == 0) continue;
    find_year_ancestry(w, year_rows);

    // Column 1: the mean F of the whole year, from the sum of the year's F
    // in table order.
    std::span<float> row(&year_inbreeding(k, 1), 6);
    if (by_subpop) clear_subpop_sums(sums, membership.n_subpop);
    if (n >= sizes.split_from) {
      double sum_f = 0.0;
      for (std::int32_t t : year_rows) sum_f += animal[t].inbreeding;
      row[0] = static_cast<float>(sum_f / static_cast<double>(n));
      // The subpopulations of a split year are summed over the whole year,
      // as in any other year: the sums need no matrix to hold the year.
      handle_split_year(ctx, w, year, year_rows, row, sizes.part_size, by_subpop ? &sums : nullptr);
    } else {
      // The progress lines of a column-by-column fill: before animal i + 1
      // whenever i is a multiple of the interval.
      const std::int64_t interval = progress_interval(n, kinship_progress);
      for (std::int64_t done = interval; done < n; done += interval) write_progress_line(ctx, done);
      hand_on_lines(ctx.console);

      set_sums set;
      sum_set(w, year_rows, &set, year_rows, by_subpop ? &sums : nullptr);
      row[0] = static_cast<float>(set.sum_inbreeding[slot_all] / static_cast<double>(n));
      store_relationship_means(set, row);
    }
    if (by_subpop) {
      std::span<float> subpop_row(&year_subpop_kinship(k, 1), static_cast<std::size_t>(year_subpop_kinship.n_cols));
      calc_subpop_kinship(sums, membership.n_subpop, subpop_row);
    }
  }
}

}  // namespace veldmarsh
