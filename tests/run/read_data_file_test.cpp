// The animal table and its birth years: the first and last year and the
// number of years over the whole 32-bit range, and a line count beyond what
// the table can number, which ends the run with a diagnostic.
#include "run/read_data_file.h"

#include <gtest/gtest.h>

#include "common/stops.h"
#include "run/birth_years.h"
#include "support/captured_run.h"

namespace veldmarsh {
namespace {

TEST(BirthYears, FirstLastAndNumberOfYears) {
  const std::int32_t lowest = -2147483647 - 1;
  struct years_case {
    std::vector<std::int32_t> years;
    std::int32_t first, last;
    std::int64_t n_years;
  };
  const years_case cases[] = {
      {{}, 2147483647, lowest, 0},
      {{0, 0, 0, 0}, 2147483647, 0, 0},  // no known year
      {{1985, 0, 2024, 0}, 1985, 2024, 40},
      {{-7, -5, -7, 0}, -7, 0, 8},  // birth year 0 counts for the last year only
      {{lowest, 2147483647, -7, 0}, lowest, 2147483647, 4294967296LL},
  };
  for (const years_case& c : cases) {
    animal_table animal;
    animal.rows.assign(c.years.size() + 1, new_animal_record());
    for (std::size_t i = 0; i < c.years.size(); ++i) animal[i + 1].birth_year = c.years[i];
    const year_range years = find_birth_years(animal);
    EXPECT_EQ(years.first_year, c.first) << c.n_years;
    EXPECT_EQ(years.last_year, c.last) << c.n_years;
    EXPECT_EQ(years.n_years, c.n_years);
  }
}

TEST(AnimalTable, MoreRecordsThanCanBeNumberedEndTheRunWithADiagnostic) {
  struct raised {
    std::string message;
  };
  diagnostic_hook = [](std::string_view message) { throw raised{std::string(message)}; };
  testing::captured_channels<true> out;
  animal_table animal;
  try {
    create_animal_table(out.ctx, animal, 2147483648LL);
    ADD_FAILURE() << "no diagnostic";
  } catch (const raised& r) {
    EXPECT_NE(r.message.find("more than 2147483647 records"), std::string::npos) << r.message;
  }
  diagnostic_hook = nullptr;
}

}  // namespace
}  // namespace veldmarsh
