// Ages of the parents: date differences in 365-day years and the overall
// mean ages of a sire with many young (the ages in the report tables are
// held end to end).
#include "reports/parent_ages.h"

#include <gtest/gtest.h>

#include "common/fixed_format.h"

namespace veldmarsh {
namespace {

TEST(DaysBetweenDates, CountsDaysOf365DayYears) {
  EXPECT_EQ(days_between_dates(1, 3, 2010, 1, 3, 2008), 730);
  EXPECT_EQ(days_between_dates(1, 1, 2012, 31, 12, 2011), 1);  // across a year end
  EXPECT_EQ(days_between_dates(1, 3, 2012, 28, 2, 2012), 1);   // leap years have no 29 February here
  EXPECT_EQ(days_between_dates(29, 2, 2012, 1, 3, 2012), 0);   // a 29 February falls on 1 March
  EXPECT_EQ(days_between_dates(5, 6, 2000, 5, 6, 2004), -4 * 365);
  EXPECT_EQ(days_between_dates(31, 12, 2000, 1, 1, 2000), 364);
  EXPECT_EQ(days_between_dates(1, 1, 2147483647, 1, 1, -2147483647 - 1), 365LL * 4294967295LL);  // no overflow
}

// A sire with 9,000 young, 225 born when he was 1,866 days old and 8,775 at
// 1,867 days, and a dam of the same ages: each adds up to 16,802,775 days,
// past the 2^24 up to which single precision holds every whole number. The
// mean, 1,866.975 days or exactly 5.115 years, rounded once to single
// precision lies just below 5.115 and prints as 5.11; summed or divided in
// single precision it lies just above and prints as 5.12.
TEST(OverallParentAges, LargeSumsGiveTheMeanRoundedOnce) {
  parent_age_sums sums;
  animal_record young;
  for (int k = 0; k < 9000; ++k) {
    young.sire_age_days = young.dam_age_days = k < 225 ? 1866 : 1867;
    add_parent_ages(sums, young);
  }
  for (float years : overall_parent_ages_of(sums)) {
    EXPECT_EQ(years, 1866.975f / 365.0f);
    EXPECT_EQ(format_real(years, 8, 2), "    5.11");
  }
}

}  // namespace
}  // namespace veldmarsh
