// Inbreeding coefficients: worked examples, a tabular relationship matrix in
// double, bit-for-bit agreement with a plain walk down an ordered linked list
// of ancestors, the kinship mode, progress lines, parents out of place.
#include "inbreeding/calc_inbreeding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "run/run_frame.h"
#include "support/captured_run.h"

namespace veldmarsh {
namespace {

// A pedigree as parent numbers, one-based: parents[i] = {sire, dam}.
using pedigree = std::vector<parent_pair>;

// F of animal a (a == b) or of a virtual offspring of a and b, by the walk
// down a linked list of ancestors kept in decreasing order, with fresh tables
// for every call.
float list_walk(int a, int b, int n, const pedigree& pairs, const std::vector<float>& inbreeding) {
  std::vector<std::array<int, 2>> ordered(n + 2, {0, 0});
  for (int k = 1; k <= n; ++k) ordered[k] = {pairs[k].sire, pairs[k].dam};
  for (auto& row : ordered)
    if (row[0] > row[1]) std::swap(row[0], row[1]);
  std::vector<float> f_table(n + 2, 0.0f);
  f_table[0] = -1.0f;
  for (int k = 1; k <= n; ++k) f_table[k] = inbreeding[k];
  int start, t1, t2;
  if (a == b) {
    start = a;
    t1 = ordered[a][0];
    t2 = ordered[a][1];
  } else {
    start = n + 1;
    ordered[n + 1] = {std::min(a, b), std::max(a, b)};
    t1 = a;
    t2 = b;
  }
  std::vector<int> next(n + 2, 0);
  std::vector<float> contribution(n + 2, 0.0f);
  if (t1 == 0 || t2 == 0) return 0.0f;
  contribution[start] = 1.0f;
  float sum = -1.0f;
  int j = start;
  for (int step = 0; step < n + 1 && j != 0; ++step) {
    float c = contribution[j];
    int lo = ordered[j][0], hi = ordered[j][1];
    float half = 0.5f * c;
    int k = j;
    if (hi > 0) {
      for (int m = 0; m < n + 1 && next[k] > hi; ++m) k = next[k];
      contribution[hi] += half;
      if (next[k] != hi) {
        next[hi] = next[k];
        next[k] = hi;
      }
    }
    if (hi > 0 && lo > 0) {
      for (int m = 0; m < n + 1 && next[k] > lo; ++m) k = next[k];
      contribution[lo] += half;
      if (next[k] != lo) {
        next[lo] = next[k];
        next[k] = lo;
      }
    }
    float c2 = contribution[j];
    sum += c2 * c2 * (0.5f - (f_table[lo] + f_table[hi]) * 0.25f);
    int following = next[j];
    next[j] = 0;
    j = following;
  }
  return sum;
}

// The loop over the table with the full-sib shortcut, calling list_walk.
std::vector<float> list_walk_all(const pedigree& pairs) {
  int n = static_cast<int>(pairs.size()) - 1;
  std::vector<float> f(n + 1, 0.0f);
  int previous_sire = -1, previous_dam = -1;
  for (int i = 1; i <= n; ++i) {
    int s = pairs[i].sire, d = pairs[i].dam;
    if (s == 0 || d == 0)
      f[i] = 0.0f;
    else if (s == previous_sire && d == previous_dam)
      f[i] = f[i - 1];
    else
      f[i] = list_walk(i, i, i, pairs, f);
    previous_sire = s;
    previous_dam = d;
  }
  return f;
}

// F of every animal from the tabular relationship matrix, in double.
std::vector<double> matrix_inbreeding(const pedigree& pairs) {
  int n = static_cast<int>(pairs.size()) - 1;
  std::vector<std::vector<double>> a(n + 1, std::vector<double>(n + 1, 0.0));
  auto rel = [&](int x, int y) { return x == 0 || y == 0 ? 0.0 : a[x][y]; };
  for (int i = 1; i <= n; ++i) {
    int s = pairs[i].sire, d = pairs[i].dam;
    for (int j = 1; j < i; ++j) a[i][j] = a[j][i] = 0.5 * (rel(j, s) + rel(j, d));
    a[i][i] = 1.0 + 0.5 * rel(s, d);
  }
  std::vector<double> f(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) f[i] = a[i][i] - 1.0;
  return f;
}

animal_table table_of(const pedigree& pairs) {
  animal_table animal;
  animal.rows.resize(pairs.size(), new_animal_record());
  for (std::size_t i = 1; i < pairs.size(); ++i) {
    animal.rows[i].nr = static_cast<std::int32_t>(i);
    animal.rows[i].sire_nr = pairs[i].sire;
    animal.rows[i].dam_nr = pairs[i].dam;
  }
  return animal;
}

// Runs the loop; returns the console lines.
std::vector<std::string> run_loop(animal_table& animal, bool english = true) {
  testing::captured_channels<false> run(english);
  calc_inbreeding_coefficients(run.ctx, animal);
  return run.console();
}

std::vector<float> loop_inbreeding(const pedigree& pairs) {
  animal_table animal = table_of(pairs);
  run_loop(animal);
  std::vector<float> f(pairs.size(), 0.0f);
  for (std::size_t i = 1; i < pairs.size(); ++i) f[i] = animal.rows[i].inbreeding;
  return f;
}

// A random pedigree in parent-first order. Parents come from a window of
// recent animals, so that relatives mate; some parents are unknown, some
// animals are their own sire's dam (selfing), and litters of full sibs, some
// in swapped roles, follow each other. `depth_bias` favours the latest
// animals, which makes long lines of descent.
pedigree random_pedigree(std::mt19937& rng, int n, int window, double unknown, bool depth_bias) {
  pedigree p(n + 1);
  auto pick = [&](int i) {
    if (i <= 1 || std::uniform_real_distribution<double>(0, 1)(rng) < unknown) return 0;
    int lo = std::max(1, i - window);
    if (depth_bias && std::uniform_int_distribution<int>(0, 3)(rng) > 0) lo = std::max(1, i - 4);
    return std::uniform_int_distribution<int>(lo, i - 1)(rng);
  };
  for (int i = 1; i <= n; ++i) {
    int roll = std::uniform_int_distribution<int>(0, 19)(rng);
    if (i > 1 && roll < 5 && p[i - 1].sire != 0) {
      p[i] = p[i - 1];  // a full sib in the row above
      if (roll == 0) std::swap(p[i].sire, p[i].dam);
    } else if (roll == 5) {
      p[i].sire = p[i].dam = pick(i);
    } else {
      p[i].sire = pick(i);
      p[i].dam = pick(i);
    }
  }
  return p;
}

TEST(CalcInbreeding, WorkedExamplesAndFullSibsInAnyRowsAndRoles) {
  set_flush_to_zero_mode();
  // {animal, sire, dam, F}; 1, 2 and 8 are unrelated founders.
  struct worked { int nr, sire, dam; float f; };
  const std::vector<std::vector<worked>> pedigrees = {
      {{3, 1, 2, 0},         // of two unrelated founders
       {4, 1, 2, 0},
       {5, 3, 4, 0.25f},     // of full sibs
       {6, 1, 3, 0.25f},     // of a parent and its own offspring out of an unrelated founder
       {7, 2, 0, 0},         // one parent unknown
       {9, 1, 8, 0},         // a half sib of 3 through sire 1
       {10, 9, 3, 0.125f},   // of half sibs
       {11, 2, 2, 0.5f}},    // sire and dam the same founder
      {{3, 1, 2, 0},
       {4, 2, 1, 0},
       {5, 3, 4, 0.25f},
       {6, 4, 3, 0.25f},     // swapped roles directly below: computed, same value
       {7, 1, 1, 0.5f},
       {8, 3, 4, 0.25f}}};   // not adjacent to 5
  for (const std::vector<worked>& rows : pedigrees) {
    pedigree p(static_cast<std::size_t>(rows.back().nr) + 1);
    for (const worked& w : rows) p[static_cast<std::size_t>(w.nr)] = {w.sire, w.dam};
    std::vector<float> f = loop_inbreeding(p);
    EXPECT_EQ(f[1], 0.0f);
    for (const worked& w : rows) EXPECT_EQ(f[static_cast<std::size_t>(w.nr)], w.f) << "animal " << w.nr;
  }
  animal_table empty;
  EXPECT_TRUE(run_loop(empty).empty());
}

TEST(CalcInbreeding, AgreesWithTheRelationshipMatrix) {
  set_flush_to_zero_mode();
  std::mt19937 rng(20261205);
  for (int trial = 0; trial < 200; ++trial) {
    int n = std::uniform_int_distribution<int>(2, 300)(rng);
    int window = std::uniform_int_distribution<int>(2, 60)(rng);
    double unknown = std::uniform_real_distribution<double>(0.0, 0.4)(rng);
    pedigree p = random_pedigree(rng, n, window, unknown, trial % 2 == 0);
    std::vector<float> f = loop_inbreeding(p);
    std::vector<double> expected = matrix_inbreeding(p);
    for (int i = 1; i <= n; ++i)
      ASSERT_NEAR(f[i], expected[i], 2e-6 * (1.0 + expected[i])) << "trial " << trial << " animal " << i;
  }
}

TEST(CalcInbreeding, EqualsTheListWalkBitForBit) {
  set_flush_to_zero_mode();
  std::mt19937 rng(7);
  int rounded = 0;  // animals whose F is not exact in double: rounding took place
  for (int trial = 0; trial < 300; ++trial) {
    int n = std::uniform_int_distribution<int>(2, 400)(rng);
    int window = std::uniform_int_distribution<int>(2, 40)(rng);
    double unknown = std::uniform_real_distribution<double>(0.0, 0.3)(rng);
    pedigree p = random_pedigree(rng, n, window, unknown, trial % 3 != 0);
    std::vector<float> f = loop_inbreeding(p);
    std::vector<float> expected = list_walk_all(p);
    std::vector<double> exact = matrix_inbreeding(p);
    for (int i = 1; i <= n; ++i) {
      ASSERT_EQ(std::memcmp(&f[i], &expected[i], sizeof(float)), 0)
          << "trial " << trial << " animal " << i << ": " << f[i] << " vs " << expected[i];
      if (static_cast<double>(f[i]) != exact[i]) ++rounded;
    }
  }
  EXPECT_GT(rounded, 1000) << "the pedigrees must exercise single-precision rounding";
}

TEST(CalcInbreeding, KinshipModeEqualsTheListWalk) {
  set_flush_to_zero_mode();
  std::mt19937 rng(11);
  inbreeding_work work;  // one set of work tables for every call
  for (int trial = 0; trial < 50; ++trial) {
    int n = std::uniform_int_distribution<int>(2, 200)(rng);
    pedigree p = random_pedigree(rng, n, 20, 0.1, true);
    std::vector<float> f = list_walk_all(p);
    for (int q = 0; q < 40; ++q) {
      int m = std::uniform_int_distribution<int>(1, n)(rng);
      int a = std::uniform_int_distribution<int>(0, m)(rng), b = std::uniform_int_distribution<int>(0, m)(rng);
      float got = -7.0f, swapped = -7.0f;
      calc_inbreeding(a, b, got, m, p, f, work);
      calc_inbreeding(b, a, swapped, m, p, f, work);
      float expected = list_walk(a, b, m, p, f);
      ASSERT_EQ(std::memcmp(&got, &expected, sizeof(float)), 0) << a << " " << b << " of " << m;
      ASSERT_EQ(std::memcmp(&swapped, &expected, sizeof(float)), 0);
      if (a == 0 || b == 0) {
        EXPECT_EQ(got, 0.0f);
      }
    }
  }
  // Full sibs of unrelated founders: kinship 0.25; a founder with itself 0.5.
  pedigree p(5);
  p[3] = {1, 2};
  p[4] = {2, 1};
  std::vector<float> f(5, 0.0f);
  float k = 0;
  calc_inbreeding(3, 4, k, 4, p, f, work);
  EXPECT_EQ(k, 0.25f);
  calc_inbreeding(1, 2, k, 4, p, f, work);
  EXPECT_EQ(k, 0.0f);
  calc_inbreeding(3, 3, k, 4, p, f, work);
  EXPECT_EQ(k, 0.0f);
}

TEST(CalcInbreeding, ParentsOutOfPlaceEndTheWalkAndLeaveTheTablesClean) {
  inbreeding_work work;
  pedigree p(5);
  p[2] = {3, 1};  // a parent after its young
  p[3] = {2, 2};  // and a loop
  p[4] = {2, 3};
  std::vector<float> f(5, 0.0f);
  float r = 0;
  calc_inbreeding(4, 4, r, 4, p, f, work);
  calc_inbreeding(3, 3, r, 4, p, f, work);
  for (float c : work.contribution) EXPECT_EQ(c, 0.0f);
  pedigree good(5);
  good[3] = {1, 2};
  good[4] = {3, 3};
  calc_inbreeding(4, 4, r, 4, good, f, work);
  EXPECT_EQ(r, 0.5f);
}

TEST(CalcInbreeding, ProgressLines) {
  // {founders, English, lines, first line, last line}: every 200 below
  // 10000 animals, every 500 to 25000, every 1000 beyond.
  struct progress_case { int n; bool english; std::size_t count; std::string first, last; };
  const std::string en = " inbreeding coefficient estimated", nl = " inteeltco\xEB" "ffici\xEB" "nt berekend";
  const std::vector<progress_case> cases = {
      {10000, true, 49, " animal no.          200" + en, " animal no.         9800" + en},
      {10001, false, 20, " dier nr          500" + nl, " dier nr        10000" + nl},
      {25001, true, 25, " animal no.         1000" + en, " animal no.        25000" + en}};
  for (const progress_case& c : cases) {
    animal_table a = table_of(pedigree(static_cast<std::size_t>(c.n) + 1));
    std::vector<std::string> lines = run_loop(a, c.english);
    ASSERT_EQ(lines.size(), c.count) << c.n;
    EXPECT_EQ(lines.front(), c.first);
    EXPECT_EQ(lines.back(), c.last);
  }
}

}  // namespace
}  // namespace veldmarsh
