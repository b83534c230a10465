// Rates of inbreeding: the halving into kinships, the power formula from the
// third year, the log-linear regression over every year, short series and
// the variant.
#include "inbreeding/calc_inbreeding_rate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace veldmarsh {
namespace {

// A table of n years whose column 1 is `f` and column 3 `relationship`
// (column 2 and 4 to 6 get fixed marks).
year_table<float> table_of(const std::vector<float>& f, const std::vector<float>& relationship = {}) {
  year_table<float> y;
  allocate_year_table(y, static_cast<std::int64_t>(f.size()), 6);
  for (std::size_t k = 1; k <= f.size(); ++k) {
    y(k, 1) = f[k - 1];
    y(k, 2) = 1.5f;
    y(k, 3) = relationship.empty() ? 0.0f : relationship[k - 1];
    y(k, 4) = 0.25f;
    y(k, 5) = 0.125f;
    y(k, 6) = 3.0f;
  }
  return y;
}

// The rates of a yearly table of relationships, halved into kinships first
// as in a run.
inbreeding_rate_set rates_of(const year_table<float>& y) {
  inbreeding_results inbreeding;
  inbreeding.year_inbreeding = y;
  convert_relationships_to_kinships(inbreeding);
  inbreeding_rate_set r = {9, 9, 9, 9};
  calc_inbreeding_rate(make_year_range(2000, 2000 + static_cast<std::int32_t>(y.n_rows) - 1), inbreeding, r);
  return r;
}

TEST(ConvertRelationshipsToKinships, HalvesEveryRelationshipColumnOnce) {
  inbreeding_results inbreeding;
  inbreeding.year_inbreeding = table_of({0.1f, 0.2f}, {0.5f, 0.75f});
  inbreeding.n_subpop = 2;  // columns: F and relationship of 1, of 2, then the pair
  allocate_year_table(inbreeding.year_subpop_kinship, 2, 5);
  for (float& v : inbreeding.year_subpop_kinship.cells) v = 0.5f;
  for (int call = 0; call < 2; ++call) convert_relationships_to_kinships(inbreeding);
  const float before[2][6] = {{0.1f, 1.5f, 0.5f, 0.25f, 0.125f, 3.0f}, {0.2f, 1.5f, 0.75f, 0.25f, 0.125f, 3.0f}};
  for (int k = 1; k <= 2; ++k) {
    for (int c = 1; c <= 6; ++c)  // column 1 (mean F) is kept, 2 to 6 halved
      EXPECT_EQ(inbreeding.year_inbreeding(k, c), c == 1 ? before[k - 1][0] : before[k - 1][c - 1] / 2) << k << c;
    for (int c = 1; c <= 5; ++c)
      EXPECT_EQ(inbreeding.year_subpop_kinship(k, c), c == 1 || c == 3 ? 0.5f : 0.25f) << k << c;
  }
}

TEST(CalcInbreedingRate, ShortSeriesGiveZeroRates) {
  for (const std::vector<float>& f : {std::vector<float>{}, std::vector<float>{0.3f}}) {
    year_table<float> y = table_of(f, f);
    EXPECT_EQ(rates_of(y), (inbreeding_rate_set{0, 0, 0, 0}));
  }
  // Two years: no power formula, but a regression.
  year_table<float> two = table_of({0.0f, 0.1f}, {0.0f, 0.2f});
  inbreeding_rate_set r = rates_of(two);
  EXPECT_EQ(r[0], 0.0f);
  EXPECT_EQ(r[1], 0.0f);
  EXPECT_NEAR(r[2], -std::log(0.9), 1e-6);
  EXPECT_NEAR(r[3], -std::log(0.9), 1e-6);
  // Three years: row 3 against itself.
  year_table<float> three = table_of({0.05f, 0.1f, 0.2f}, {0.1f, 0.2f, 0.4f});
  r = rates_of(three);
  EXPECT_EQ(r[0], 0.0f);
  EXPECT_EQ(r[1], 0.0f);
  EXPECT_GT(r[2], 0.0f);
}

TEST(CalcInbreedingRate, SteadyDeclineOfOneMinusF) {
  // ln(1 - F) falls by 0.01 a year: the regression gives 0.01, the power
  // formula 1 - exp(-0.01 (n - 3) / (n - 2)) for its window of n - 2 years.
  const int n = 10;
  std::vector<float> f, relationship;
  for (int k = 1; k <= n; ++k) {
    f.push_back(static_cast<float>(1.0 - std::exp(-0.01 * k)));
    relationship.push_back(static_cast<float>(2.0 * (1.0 - std::exp(-0.02 * k))));
  }
  year_table<float> y = table_of(f, relationship);
  inbreeding_rate_set r = rates_of(y);
  EXPECT_NEAR(r[0], 1.0 - std::exp(-0.01 * (n - 3) / (n - 2)), 2e-6);
  EXPECT_NEAR(r[1], 1.0 - std::exp(-0.02 * (n - 3) / (n - 2)), 2e-6);
  EXPECT_NEAR(r[2], 0.01, 2e-6);
  EXPECT_NEAR(r[3], 0.02, 2e-6);

  // A constant mean F: rates 1 and 3 are 0.
  year_table<float> flat = table_of(std::vector<float>(7, 0.125f));
  r = rates_of(flat);
  EXPECT_EQ(r[0], 0.0f);
  EXPECT_EQ(r[2], 0.0f);
}

TEST(CalcInbreedingRate, AnEmptyYearIsAPointAtZero) {
  // Years 1, 3 and 4 at F 0.1, year 2 empty: t mean 2.5, Sxx 5, Sxy 0.5 ln 0.9.
  year_table<float> y = table_of({0.1f, 0.0f, 0.1f, 0.1f});
  inbreeding_rate_set r = rates_of(y);
  EXPECT_NEAR(r[2], -0.1 * std::log(0.9), 1e-6);
  EXPECT_NEAR(r[0], 1.0 - std::pow(0.9 / 0.9, 0.5), 1e-7);
}

TEST(CalcInbreedingRate, ADivisorOfZeroGivesZero) {
  // A third year with mean F 1 would divide by 0 in the power formula.
  year_table<float> y = table_of({0.0f, 0.5f, 1.0f, 0.5f});
  inbreeding_rate_set r = rates_of(y);
  EXPECT_EQ(r[0], 0.0f);
  EXPECT_TRUE(std::isfinite(r[1]));
}

// A table of `years` years with 4 animals a year (first two parents, one
// of each sex; the other two no parents) and the sums the variant reads.
TEST(CalcInbreedingRateVariant, MeansFromSumsThenRates) {
  const int years = 8;
  animal_table animal;
  animal.rows.push_back(new_animal_record());
  for (int k = 1; k <= years; ++k)
    for (int a = 0; a < 4; ++a) {
      animal_record r = new_animal_record();
      r.birth_year = 1999 + k;
      r.is_parent = a < 2;
      r.sex = a == 0 ? 1 : 2;
      animal.rows.push_back(r);
    }
  year_table<float> y;
  allocate_year_table(y, years, 6);
  std::vector<double> mean_f, mean_parent_f;
  for (int k = 1; k <= years; ++k) {
    mean_f.push_back(0.01 * k);
    mean_parent_f.push_back(0.02 * k * k);
    y(k, 1) = static_cast<float>(4 * 0.01 * k);        // per animal
    y(k, 2) = static_cast<float>(2 * 0.02 * k * k);    // per parent
    y(k, 3) = 0.5f;                                    // per father (1)
    y(k, 4) = 0.75f;                                   // per mother (1)
    y(k, 5) = 6.0f;                                    // per pair of animals (6)
    y(k, 6) = 2.0f;                                    // per pair of parents (1)
  }
  inbreeding_rate_set r{};
  calc_inbreeding_rate_variant(animal, make_year_range(2000, 2000 + years - 1), y, r);
  EXPECT_NEAR(y(5, 1), 0.05, 1e-7);
  EXPECT_NEAR(y(3, 2), 0.18, 1e-7);
  EXPECT_EQ(y(1, 3), 0.5f);
  EXPECT_EQ(y(1, 4), 0.75f);
  EXPECT_EQ(y(1, 5), 1.0f);
  EXPECT_EQ(y(1, 6), 2.0f);
  EXPECT_NEAR(r[0], 1.0 - std::pow((1 - 0.08) / (1 - 0.03), 1.0 / 6), 1e-6);
  EXPECT_NEAR(r[1], 1.0 - std::pow((1 - 0.02 * 16) / (1 - 0.02 * 9), 1.0 / 2), 1e-6);
  EXPECT_NEAR(r[2], 0.01, 1e-6);  // slope of the mean F itself, sign kept
  // Slope of 0.02 k^2 over k = 1..4: Sxy = 0.02 x 25, Sxx = 5.
  EXPECT_NEAR(r[3], 0.1, 1e-6);

  // Six years: the exponent 1/(n - 6) would divide by zero; four years: no
  // rows for the last regression; two years: no third row.
  for (int n : {6, 4, 2}) {
    year_table<float> short_table;
    allocate_year_table(short_table, n, 6);
    for (int k = 1; k <= n; ++k) short_table(k, 2) = 0.1f * k;
    inbreeding_rate_set s{};
    calc_inbreeding_rate_variant(animal, make_year_range(2000, 2000 + n - 1), short_table, s);
    if (n == 6) {
      EXPECT_EQ(s[1], 0.0f);
    }
    if (n <= 4) {
      EXPECT_EQ(s[3], 0.0f);
    }
    if (n < 3) {
      EXPECT_EQ(s[0], 0.0f);
      EXPECT_EQ(s[1], 0.0f);
    }
  }
}

}  // namespace
}  // namespace veldmarsh
