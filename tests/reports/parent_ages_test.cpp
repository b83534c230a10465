// Ages of the parents: date differences in 365-day years (the ages in the
// report tables are held end to end).
#include "reports/parent_ages.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace veldmarsh
