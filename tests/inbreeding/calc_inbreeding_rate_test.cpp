// Rates of inbreeding: the halving into kinships, the power formula from the third year,
// the log-linear regression over every year, short series and zero
// divisors; and the variant that starts from yearly sums.
#include "inbreeding/calc_inbreeding_rate.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace veldmarsh {
namespace {

// A table whose column 1 is `f` and column 3 `relationship`; columns 2 and
// 4 to 6 hold marks.
year_table<float> table_of(const std::vector<float>& f, const std::vector<float>& relationship) {
  year_table<float> y;
  allocate_year_table(y, static_cast<std::int64_t>(f.size()), 6);
  for (std::int64_t k = 1; k <= y.n_rows; ++k)
    for (int c = 1; c <= 6; ++c) y(k, c) = c == 1 ? f[k - 1] : c == 3 ? relationship[k - 1] : 0.25f * c;
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
  const year_table<float> before = inbreeding.year_inbreeding;
  inbreeding.n_subpop = 2;  // columns: F and relationship of 1, of 2, then the pair
  allocate_year_table(inbreeding.year_subpop_kinship, 2, 5);
  for (float& v : inbreeding.year_subpop_kinship.cells) v = 0.5f;
  for (int call = 0; call < 2; ++call) convert_relationships_to_kinships(inbreeding);
  for (int k = 1; k <= 2; ++k) {
    for (int c = 1; c <= 6; ++c)  // column 1 (mean F) is kept, 2 to 6 halved
      EXPECT_EQ(inbreeding.year_inbreeding(k, c), c == 1 ? before(k, c) : before(k, c) / 2) << k << c;
    for (int c = 1; c <= 5; ++c)
      EXPECT_EQ(inbreeding.year_subpop_kinship(k, c), c == 1 || c == 3 ? 0.5f : 0.25f) << k << c;
  }
}

TEST(CalcInbreedingRate, PowerFormulaAndRegressionOnASteadyDecline) {
  // ln(1 - F) falls by 0.01 a year and ln(1 - f) by 0.02 (f of the halved
  // column 3): the regression gives 0.01 and 0.02, the power formula
  // 1 - exp(-r (n - 3) / (n - 2)) over its window of n - 2 years.
  const int n = 10;
  std::vector<float> f, relationship;
  for (int k = 1; k <= n; ++k) {
    f.push_back(static_cast<float>(1.0 - std::exp(-0.01 * k)));
    relationship.push_back(static_cast<float>(2.0 * (1.0 - std::exp(-0.02 * k))));
  }
  year_table<float> y = table_of(f, relationship);
  const inbreeding_rate_set r = rates_of(y);
  EXPECT_NEAR(r[0], 1.0 - std::exp(-0.01 * (n - 3) / (n - 2)), 2e-6);
  EXPECT_NEAR(r[1], 1.0 - std::exp(-0.02 * (n - 3) / (n - 2)), 2e-6);
  EXPECT_NEAR(r[2], 0.01, 2e-6);
  EXPECT_NEAR(r[3], 0.02, 2e-6);
}

TEST(CalcInbreedingRate, ShortSeriesEmptyYearsAndZeroDivisors) {
  // Column 3 is 0 throughout: rates 2 and 4 are 0. NaN: not looked at.
  const double ln09 = -std::log(0.9), unchecked = std::nan("");
  const std::pair<std::vector<float>, std::array<double, 4>> cases[] = {
      {{}, {0, 0, 0, 0}},
      {{0.3f}, {0, 0, 0, 0}},
      {{0.0f, 0.1f}, {0, 0, ln09, 0}},                              // no third year for the power formula
      {{0.0f, 0.1f, 0.2f}, {0, 0, -std::log(0.8) / 2, 0}},          // the third year against itself
      {{0.125f, 0.125f, 0.125f, 0.125f}, {0, 0, 0, 0}},             // constant F
      {{0.1f, 0.0f, 0.1f, 0.1f}, {0, 0, 0.1 * ln09, 0}},            // an empty year is a point at 0
      {{0.0f, 0.5f, 1.0f, 0.5f}, {0, 0, unchecked, 0}},             // 1 - F of the third year is 0
  };
  for (const auto& [f, want] : cases) {
    year_table<float> y = table_of(f, std::vector<float>(f.size(), 0.0f));
    const inbreeding_rate_set r = rates_of(y);
    for (int c = 0; c < 4; ++c)
      EXPECT_TRUE(std::isnan(want[c]) || std::fabs(r[c] - want[c]) < 1e-6) << f.size() << " years, rate " << c + 1 << ": " << r[c];
  }
}

TEST(CalcInbreedingRateVariant, MeansFromSumsThenRates) {
  // Eight years of four animals: two parents (a father and a mother), two not.
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
  for (int k = 1; k <= years; ++k) {
    const float sums[6] = {4 * 0.01f * k, 2 * 0.02f * k * k, 0.5f, 0.75f, 6.0f, 2.0f};
    for (int c = 1; c <= 6; ++c) y(k, c) = sums[c - 1];
  }
  inbreeding_rate_set r{};
  calc_inbreeding_rate_variant(animal, make_year_range(2000, 2000 + years - 1), y, r);
  // Per animal, parent, father, mother, pair of animals (6), pair of parents (1).
  EXPECT_NEAR(y(5, 1), 0.05, 1e-7);
  EXPECT_NEAR(y(3, 2), 0.18, 1e-7);
  EXPECT_EQ(y(1, 3), 0.5f);
  EXPECT_EQ(y(1, 4), 0.75f);
  EXPECT_EQ(y(1, 5), 1.0f);
  EXPECT_EQ(y(1, 6), 2.0f);
  EXPECT_NEAR(r[0], 1.0 - std::pow((1 - 0.08) / (1 - 0.03), 1.0 / 6), 1e-6);
  EXPECT_NEAR(r[1], 1.0 - std::pow((1 - 0.02 * 16) / (1 - 0.02 * 9), 1.0 / 2), 1e-6);  // rows 3 and 4
  EXPECT_NEAR(r[2], 0.01, 1e-6);  // the slope of the means themselves, sign kept
  EXPECT_NEAR(r[3], 0.1, 1e-6);   // 0.02 k^2 over k = 1..4: Sxy 0.5, Sxx 5
  // Six years: the exponent 1/(n - 6) divides by zero; four: no rows for the
  // last regression; two: no third row for the power formulas.
  for (int n : {6, 4, 2}) {
    year_table<float> short_table;
    allocate_year_table(short_table, n, 6);
    for (int k = 1; k <= n; ++k) short_table(k, 2) = 0.1f * k;
    inbreeding_rate_set s{9, 9, 9, 9};
    calc_inbreeding_rate_variant(animal, make_year_range(2000, 2000 + n - 1), short_table, s);
    EXPECT_TRUE((n != 6 && n >= 3) || s[1] == 0.0f) << n;
    EXPECT_TRUE(n > 4 || s[3] == 0.0f) << n;
    EXPECT_TRUE(n >= 3 || s[0] == 0.0f) << n;
  }
}

}  // namespace
}  // namespace veldmarsh
