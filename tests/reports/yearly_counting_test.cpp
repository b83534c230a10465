// The yearly counting: the three kernels and the whole loop against slow
// versions (a full scan of the table per year, every record compared with
// all earlier ones for litters and sires), on random pedigrees; then the
// corner cases one by one.
#include "reports/yearly_counting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <tuple>

#include "../run/pedigree_test_support.h"
#include "reports/count_dams_and_sires.h"
#include "reports/count_offspring_by_import_parents.h"
#include "reports/count_parents_by_sex.h"
#include "reports/parent_ages.h"
#include "reports/pedigree_completeness.h"
#include "yearly_counting_support.h"

namespace veldmarsh {
namespace {

using testing_support::captured_run;
using testing_support::random_pedigree;

// Slow versions: copies of the year's records, full scans.

void slow_count_parents_by_sex(const std::vector<animal_record>& recs, std::int32_t* counts, float* stats) {
  for (int half = 0; half < 2; ++half) {
    const int sex = half + 1;
    std::int32_t* c = counts + 3 * half;
    float* st = stats + 3 * half;
    c[0] = c[1] = c[2] = 0;
    std::int64_t sum = 0;
    std::int32_t max = 0;
    for (const animal_record& r : recs) {
      if (r.sex == sex && !r.is_import) ++c[0];
      if (r.sex == sex && r.has_counted_offspring) {
        if (r.is_import) ++c[2]; else ++c[1];
        sum += r.n_offspring_counted;
        max = std::max(max, r.n_offspring_counted);
      }
    }
    const int p = c[1] + c[2];
    st[0] = st[1] = st[2] = 0;
    if (p < 1) continue;
    const double mean = static_cast<double>(sum) / p;
    st[0] = static_cast<float>(mean);
    if (p >= 2) {
      double sq = 0;
      for (const animal_record& r : recs)
        if (r.sex == sex && r.has_counted_offspring) sq += (r.n_offspring_counted - mean) * (r.n_offspring_counted - mean);
      st[1] = static_cast<float>(std::sqrt(sq / (p - 1)));
    }
    st[2] = static_cast<float>(max);
  }
}

void slow_count_offspring_by_import_parents(const animal_table& animal, const std::vector<std::int32_t>& nrs,
                                            std::int32_t* c) {
  for (int j = 0; j < 4; ++j) c[j] = 0;
  for (std::int32_t j : nrs) {
    const animal_record& a = animal[j];
    if (a.is_import || a.sire_nr == 0 || a.dam_nr == 0) continue;
    const bool si = animal[a.sire_nr].is_import, di = animal[a.dam_nr].is_import;
    if (!si && !di) ++c[0];
    else if (si && !di) ++c[1];
    else if (!si && di) ++c[2];
    else ++c[3];
  }
}

void slow_count_dams_and_sires(const std::vector<animal_record>& recs, std::int32_t* row) {
  for (int j = 0; j < 102; ++j) row[j] = 0;
  const std::size_t n = recs.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (recs[i].is_import) continue;
    const std::int32_t d = recs[i].dam_nr, e = recs[i].sire_nr;
    if (d != 0) {
      bool earlier = false;
      for (std::size_t j = 0; j < i; ++j) earlier = earlier || recs[j].dam_nr == d;
      if (!earlier) {
        ++row[0];
        int s = 0;
        for (std::size_t j = 0; j < n; ++j) s += recs[j].dam_nr == d;
        ++row[std::min(s, 100) + 1];
      }
    }
    if (e != 0) {
      bool earlier = false;
      for (std::size_t j = 0; j < i; ++j) earlier = earlier || recs[j].sire_nr == e;
      if (!earlier) ++row[1];
    }
  }
}

// The whole loop the slow way, for the members (null: all).
void slow_loop(const settings& cfg, const animal_table& animal, const std::vector<bool>* members,
               std::int64_t n_years, std::int32_t first_year, const std::vector<breeder_name>& breeder_list,
               int n_top, year_count_tables& t, year_table<std::int32_t>& breeders) {
  for (std::int64_t k = 1; k <= n_years; ++k) {
    const std::int32_t y = static_cast<std::int32_t>(first_year + k - 1);
    std::vector<std::int32_t> nrs;
    for (std::int64_t i = 1; i <= animal.size(); ++i)
      if ((members == nullptr || (*members)[i]) && animal[i].birth_year == y) nrs.push_back(static_cast<std::int32_t>(i));
    std::vector<animal_record> recs;
    for (std::int32_t j : nrs) recs.push_back(animal[j]);
    if (!nrs.empty()) {
      slow_count_parents_by_sex(recs, &t.parent_counts_by_year(k, 1), &t.offspring_stats_by_year(k, 1));
      if (cfg.has_import_column) slow_count_offspring_by_import_parents(animal, nrs, &t.import_parent_counts_by_year(k, 1));
      slow_count_dams_and_sires(recs, &t.litter_stats(k, 1));
    }
    for (std::int64_t a = 1; a <= t.sire_age_count.n_cols; ++a) {
      int c = 0;
      for (const animal_record& r : recs) c += r.sire_age_days >= 365 * a + 1 && r.sire_age_days <= 365 * a + 365;
      t.sire_age_count(k, a) = c;
    }
    for (std::int64_t a = 1; a <= t.dam_age_count.n_cols; ++a) {
      int c = 0;
      for (const animal_record& r : recs) c += r.dam_age_days >= 365 * a + 1 && r.dam_age_days <= 365 * a + 365;
      t.dam_age_count(k, a) = c;
    }
    std::int64_t ss = 0, sn = 0, ds = 0, dn = 0;
    for (const animal_record& r : recs) {
      if (r.sire_age_days > 0) { ss += r.sire_age_days; ++sn; }
      if (r.dam_age_days > 0) { ds += r.dam_age_days; ++dn; }
    }
    if (sn > 0) t.mean_sire_age_by_year(k, 1) = static_cast<float>(static_cast<double>(ss) / sn);
    if (dn > 0) t.mean_dam_age_by_year(k, 1) = static_cast<float>(static_cast<double>(ds) / dn);
    if (cfg.has_colour_column) {
      const int nc = cfg.n_colour_classes;
      int sum = 0;
      for (int c = 1; c <= nc - 1; ++c) {
        int n = 0;
        for (const animal_record& r : recs) n += text_of(animal, r.colour) == cfg.colour_codes[c - 1];
        t.colour_counts_by_year(k, c) = n;
        sum += n;
      }
      t.colour_counts_by_year(k, nc) = static_cast<int>(recs.size()) - sum;
    }
    if (cfg.has_breeder_column) {
      int sum_animals = 0, sum_parents = 0;
      for (int b = 1; b <= n_top; ++b) {
        int na = 0, np = 0;
        for (const animal_record& r : recs)
          if (text_of(animal, r.breeder) == breeder_list[b - 1]) { ++na; np += r.has_counted_offspring; }
        breeders(k, 2 * b - 1) = na;
        breeders(k, 2 * b) = np;
        sum_animals += na;
        sum_parents += np;
      }
      breeders(k, 2 * n_top + 1) = static_cast<int>(recs.size()) - sum_animals;
      breeders(k, 2 * n_top + 2) = t.parent_counts_by_year(k, 2) + t.parent_counts_by_year(k, 5) - sum_parents;
    }
  }
}

template <typename T>
void expect_same_table(const year_table<T>& got, const year_table<T>& want, const char* what) {
  ASSERT_EQ(got.n_rows, want.n_rows) << what;
  ASSERT_EQ(got.n_cols, want.n_cols) << what;
  for (std::int64_t k = 1; k <= got.n_rows; ++k)
    for (std::int64_t j = 1; j <= got.n_cols; ++j) EXPECT_EQ(got(k, j), want(k, j)) << what << " (" << k << ", " << j << ")";
}

void expect_same_tables(const year_count_tables& got, const year_count_tables& want) {
  expect_same_table(got.sire_age_count, want.sire_age_count, "sire_age_count");
  expect_same_table(got.dam_age_count, want.dam_age_count, "dam_age_count");
  expect_same_table(got.parent_counts_by_year, want.parent_counts_by_year, "parent_counts_by_year");
  expect_same_table(got.import_parent_counts_by_year, want.import_parent_counts_by_year, "import_parent_counts_by_year");
  expect_same_table(got.offspring_stats_by_year, want.offspring_stats_by_year, "offspring_stats_by_year");
  expect_same_table(got.litter_stats, want.litter_stats, "litter_stats");
  expect_same_table(got.mean_sire_age_by_year, want.mean_sire_age_by_year, "mean_sire_age_by_year");
  expect_same_table(got.mean_dam_age_by_year, want.mean_dam_age_by_year, "mean_dam_age_by_year");
  expect_same_table(got.colour_counts_by_year, want.colour_counts_by_year, "colour_counts_by_year");
}

// A run with every optional column: colour codes (one listed twice, so the
// rest can go negative) and four breeders of which two are top breeders.
void set_all_columns(settings& cfg) {
  cfg.has_import_column = cfg.has_colour_column = cfg.has_breeder_column = true;
  cfg.colour_codes.clear();
  for (const char* c : {"black", "white", "black", "Onbekend", "niet erkend"}) cfg.colour_codes.push_back(make_text<40>(c));
  cfg.n_colour_classes = 5;
}

const std::vector<breeder_name> four_breeders = {make_text<20>("Breeder B"), make_text<20>("Breeder A"),
                                                 make_text<20>("Breeder C"), make_text<20>("Breeder D")};

// Counts `animal` over 8 years from 2000 (the whole population, or the
// members of subpopulation `code`, with their completeness) and holds every
// table against the slow loop.
year_count_tables expect_as_slow_loop(captured_run& run, const animal_table& animal, const std::vector<bool>* members,
                                      int n_top, const fixed_text<20>* code) {
  const year_range years = make_year_range(2000, 2007);
  std::vector<std::int32_t> member_numbers;
  for (std::int64_t i = 1; members != nullptr && i <= animal.size(); ++i)
    if ((*members)[static_cast<std::size_t>(i)]) member_numbers.push_back(static_cast<std::int32_t>(i));
  const std::vector<std::int32_t>* numbers = members != nullptr ? &member_numbers : nullptr;
  const oldest_parents oldest = calc_max_parent_ages(animal, numbers);
  const breeder_tables breeders{four_breeders, n_top};
  year_count_tables got, want;
  allocate_year_count_tables(run.ctx, years, oldest, n_top, got);
  allocate_year_count_tables(run.ctx, years, oldest, n_top, want);
  const birth_year_groups groups = group_by_birth_year(run.ctx, animal, years, numbers);
  if (code == nullptr) {
    EXPECT_EQ(oldest.max_sire_age, 10);
    count_population_by_birth_year(run.ctx, animal, groups, breeders, got);
  } else {
    count_by_birth_year(run.ctx, animal, groups, breeders, got, code);
    count_completeness_by_year(animal, groups, got.completeness);
  }
  slow_loop(run.ctx.cfg, animal, members, years.n_years, 2000, four_breeders, n_top, want, want.breeder_year_counts);
  expect_same_tables(got, want);
  expect_same_table(got.breeder_year_counts, want.breeder_year_counts, "breeder_year_counts");
  return got;
}

TEST(YearlyCounting, EqualsTheFullScansOnRandomPedigrees) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE(seed);
    captured_run run;
    set_all_columns(run.ctx.cfg);
    run.ctx.cfg.has_import_column = seed % 3 != 0;
    expect_as_slow_loop(run, random_pedigree(seed), nullptr, 2, nullptr);
    EXPECT_EQ(run.console().size(), 1u + 8u);
  }
}

TEST(YearlyCounting, SubpopulationScopeCountsOnlyMembersAndFillsCompleteness) {
  for (unsigned seed = 40; seed <= 50; ++seed) {
    SCOPED_TRACE(seed);
    animal_table animal = random_pedigree(seed);
    std::vector<bool> members(static_cast<std::size_t>(animal.size()) + 1, false);
    for (std::int64_t i = 1; i <= animal.size(); ++i) members[i] = (i * 7 + seed) % 3 != 0;
    captured_run run(false);
    set_all_columns(run.ctx.cfg);
    const std::int64_t n_years = 8;
    const fixed_text<20> code = make_text<20>("SUB2");
    const year_count_tables got = expect_as_slow_loop(run, animal, &members, 4, &code);
    const year_table<float>& mean_equiv = got.completeness.mean_equiv_generations_by_year;
    const year_table<float>& completeness = got.completeness.completeness_by_year;
    for (std::int64_t k = 1; k <= n_years; ++k) {
      double sum = 0;
      int n = 0, by[5] = {0, 0, 0, 0, 0};
      for (std::int64_t i = 1; i <= animal.size(); ++i) {
        if (!members[i] || animal[i].birth_year != 2000 + k - 1) continue;
        ++n;
        sum += animal[i].equiv_generations;
        if (animal[i].complete_generations >= 1) ++by[std::min(animal[i].complete_generations, 5) - 1];
      }
      EXPECT_EQ(mean_equiv(k, 1), n == 0 ? 0.0f : static_cast<float>(sum / n));
      for (int g = 1; g <= 5; ++g) EXPECT_EQ(completeness(k, g), n == 0 ? 0.0f : static_cast<float>(double(by[g - 1]) / n));
    }
    // The subpopulation's year lines, no opening line; each wraps.
    const std::vector<std::string> lines = run.console();
    ASSERT_EQ(lines.size(), 2u * n_years);
    EXPECT_EQ(lines[0], " type SUB2                jaar         2000");
    EXPECT_EQ(lines[1], " leeftijden ouders, aantallen per kleur, topfokker etc. bepaald");
  }
}

// Corner cases.

// Records appended to a table, numbered by their row.
struct table_builder {
  animal_table t;
  table_builder() { t.rows.push_back(new_animal_record()); }
  std::int32_t add(int year, int sex = 2, int sire = 0, int dam = 0, bool import = false) {
    animal_record r = new_animal_record();
    r.nr = static_cast<std::int32_t>(t.rows.size());
    r.birth_year = year;
    r.sex = sex;
    r.sire_nr = sire;
    r.dam_nr = dam;
    r.is_import = import;
    r.sire_age_days = r.dam_age_days = -1;
    t.rows.push_back(r);
    return r.nr;
  }
  std::vector<std::int32_t> all_of_year(int year) const {
    std::vector<std::int32_t> v;
    for (std::int64_t i = 1; i <= t.size(); ++i)
      if (t[i].birth_year == year) v.push_back(static_cast<std::int32_t>(i));
    return v;
  }
};

// The whole population's counting over `years`.
year_count_tables count_all(captured_run& run, const animal_table& t, const year_range& years,
                            const oldest_parents& oldest, const breeder_tables& breeders) {
  year_count_tables counts;
  allocate_year_count_tables(run.ctx, years, oldest, breeders.n_top_breeders, counts);
  count_population_by_birth_year(run.ctx, t, group_by_birth_year(run.ctx, t, years, nullptr), breeders, counts);
  return counts;
}

TEST(CountDamsAndSires, LittersAreTheYoungOfOneDamInOneYear) {
  table_builder b;
  const int sire = b.add(2000, 1), dam = b.add(2000, 2), dam2 = b.add(2000, 2), sire2 = b.add(2000, 1);
  for (int i = 0; i < 150; ++i) b.add(2010, i % 2 + 1, sire, dam);  // one litter of 150 young
  b.add(2010, 1, sire2, dam2, true);                                  // dam2's first young is an import
  b.add(2010, 2, sire2, dam2);
  b.add(2010, 2, 0, 0);
  litter_work work;
  std::int32_t row[102];
  count_dams_and_sires(b.t, b.all_of_year(2010), std::span<std::int32_t, 102>(row, 102), work);
  EXPECT_EQ(row[0], 1);    // dam2 gives no litter: her first young is an import
  EXPECT_EQ(row[1], 1);    // sire2 is first met with an import young
  EXPECT_EQ(row[101], 1);  // 150 young: the column of 100 or more
  EXPECT_EQ(std::accumulate(row + 2, row + 101, 0), 0);
  // The work arrays are clean again: the same year counts the same.
  std::int32_t again[102];
  count_dams_and_sires(b.t, b.all_of_year(2010), std::span<std::int32_t, 102>(again, 102), work);
  EXPECT_TRUE(std::equal(row, row + 102, again));
  // An import young after the first counts in the litter's size.
  table_builder c;
  const int s = c.add(2000, 1), d = c.add(2000, 2);
  c.add(2001, 1, s, d);
  c.add(2001, 2, s, d, true);
  c.add(2001, 2, s, d);
  count_dams_and_sires(c.t, c.all_of_year(2001), std::span<std::int32_t, 102>(row, 102), work);
  EXPECT_EQ(row[0], 1);
  EXPECT_EQ(row[1], 1);
  EXPECT_EQ(row[3 + 1], 1);  // size 3 -> entry 5
}

TEST(CountParentsBySex, OneParentAndNoParent) {
  table_builder b;
  const int male = b.add(2000, 1);
  b.t[male].has_counted_offspring = true;
  b.t[male].n_offspring_counted = 7;
  b.add(2000, 1, 0, 0, true);  // an import that is no parent: counted nowhere
  b.add(2000, 2);
  std::int32_t counts[6];
  float stats[6];
  count_parents_by_sex(b.t, b.all_of_year(2000), std::span<std::int32_t, 6>(counts, 6), std::span<float, 6>(stats, 6));
  EXPECT_EQ(std::vector<int>(counts, counts + 6), (std::vector<int>{1, 1, 0, 1, 0, 0}));
  EXPECT_EQ(std::vector<float>(stats, stats + 6), (std::vector<float>{7, 0, 7, 0, 0, 0}));
  // Many parents: the deviation is exact where a float sum would stall.
  table_builder big;
  for (int i = 0; i < 200000; ++i) {
    const int a = big.add(2000, 2);
    big.t[a].has_counted_offspring = true;
    big.t[a].n_offspring_counted = 1 + i % 2;
  }
  count_parents_by_sex(big.t, big.all_of_year(2000), std::span<std::int32_t, 6>(counts, 6),
                       std::span<float, 6>(stats, 6));
  EXPECT_EQ(counts[4], 200000);
  EXPECT_EQ(stats[3], 1.5f);
  EXPECT_EQ(stats[4], static_cast<float>(std::sqrt(0.25 * 200000 / 199999)));
  EXPECT_EQ(stats[5], 2.0f);
}

TEST(CountOffspringByImportParents, ParentsByImportStatus) {
  table_builder b;
  const int hs = b.add(1990, 1), is = b.add(1990, 1, 0, 0, true), hd = b.add(1990, 2), id = b.add(1990, 2, 0, 0, true);
  b.add(2000, 1, hs, hd);
  b.add(2000, 1, is, hd);
  b.add(2000, 1, is, hd);
  b.add(2000, 1, hs, id);
  b.add(2000, 1, is, id);
  b.add(2000, 1, is, id, true);  // an import young counts nowhere
  b.add(2000, 1, is, 0);         // nor one with an unknown parent
  b.add(2000, 1, 0, id);
  std::int32_t c[4];
  count_offspring_by_import_parents(b.t, b.all_of_year(2000), std::span<std::int32_t, 4>(c, 4));
  EXPECT_EQ(std::vector<int>(c, c + 4), (std::vector<int>{1, 2, 1, 1}));
}

TEST(YearlyCounting, EmptyYearsKeepZerosAndStillGetTheirLine) {
  table_builder b;
  const int s = b.add(2018, 1), d = b.add(2018, 2);
  b.t[s].has_counted_offspring = b.t[d].has_counted_offspring = true;
  b.t[s].n_offspring_counted = b.t[d].n_offspring_counted = 1;
  const int y = b.add(2020, 1, s, d);
  b.t[y].sire_age_days = 730;
  b.t[y].dam_age_days = 731;
  b.add(0, 1);                  // no birth year: in no year
  captured_run run;
  set_all_columns(run.ctx.cfg);
  run.ctx.cfg.colour_codes = {make_text<40>("Onbekend"), make_text<40>("niet erkend")};
  run.ctx.cfg.n_colour_classes = 2;
  set_text(b.t, b.t[y].colour, "Onbekend");
  // A breeder column whose fields are all blank.
  const year_count_tables t = count_all(run, b.t, make_year_range(2018, 2020), {2, 2}, {{}, 0});
  const year_table<std::int32_t>& breeders = t.breeder_year_counts;
  // 2019 has no animal: zeros everywhere, also the rest columns.
  for (std::int64_t j = 1; j <= 6; ++j) EXPECT_EQ(t.parent_counts_by_year(2, j), 0);
  for (std::int64_t j = 1; j <= 102; ++j) EXPECT_EQ(t.litter_stats(2, j), 0);
  // {table, row, column, count}: 2018 has the two parents, no litter, the
  // rest columns hold everything; 2020 one litter of one, one sire, the
  // young coloured "Onbekend", sire age 730 in class 1, dam age 731 in 2.
  const std::vector<std::tuple<const year_table<std::int32_t>*, std::int64_t, std::int64_t, std::int32_t>> counts = {
      {&t.colour_counts_by_year, 2, 1, 0}, {&t.colour_counts_by_year, 2, 2, 0}, {&breeders, 2, 1, 0},
      {&breeders, 2, 2, 0}, {&t.parent_counts_by_year, 1, 2, 1}, {&t.parent_counts_by_year, 1, 5, 1},
      {&breeders, 1, 1, 2}, {&breeders, 1, 2, 2}, {&t.colour_counts_by_year, 1, 1, 0},
      {&t.colour_counts_by_year, 1, 2, 2}, {&t.litter_stats, 3, 1, 1}, {&t.litter_stats, 3, 2, 1},
      {&t.litter_stats, 3, 3, 1}, {&t.colour_counts_by_year, 3, 1, 1}, {&t.sire_age_count, 3, 1, 1},
      {&t.sire_age_count, 3, 2, 0}, {&t.dam_age_count, 3, 2, 1}};
  for (const auto& [table, k, j, n] : counts) EXPECT_EQ((*table)(k, j), n) << k << ", " << j;
  EXPECT_EQ(t.mean_sire_age_by_year(3, 1), 730.0f);
  EXPECT_EQ(t.mean_sire_age_by_year(2, 1), 0.0f);
  const std::vector<std::string> lines = run.console();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], " monitor data per jaar");
  EXPECT_EQ(lines[2], " year         2019 determined ages parents, litter sizes, etc.");
  EXPECT_EQ(lines[3].size(), 62u);
}

TEST(YearlyCounting, NoAgesAndNoBirthYears) {
  table_builder b;
  b.add(0, 1);
  captured_run run(false);
  const year_count_tables t =
      count_all(run, b.t, make_year_range(2005, 2005), {0, -5883516}, {{make_text<20>("geen fokkers")}, 0});
  EXPECT_EQ(t.sire_age_count.n_cols, 0);
  EXPECT_EQ(t.dam_age_count.n_cols, 0);
  EXPECT_EQ(t.colour_counts_by_year.n_cols, 1);  // no colour column
  EXPECT_EQ(run.console().size(), 2u);
  // No birth year at all: no rows, only the opening line.
  captured_run none(true);
  count_all(none, b.t, year_range{2147483647, 0, 0}, {0, 0}, {{}, 0});
  EXPECT_EQ(none.console(), (std::vector<std::string>{" monitor data per jaar"}));
}

}  // namespace
}  // namespace veldmarsh
