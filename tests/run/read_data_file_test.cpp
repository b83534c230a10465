// Reading the data file into the animal table: the progress cadence, a file
// that ends before the counted records, the reset and numbering, and the
// first and last birth year.
#include "run/read_data_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/captured_run.h"
#include "run/birth_years.h"

namespace veldmarsh {
namespace {

using captured_lines = testing::captured_channels<true>;

struct data_file_fixture {
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("veldmarsh-read-" + std::to_string(::getpid()) + ".csv");
  input_file data;
  explicit data_file_fixture(const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    EXPECT_TRUE(open_input_file(data, "data file", path.string()));
  }
  ~data_file_fixture() {
    close_input_file(data);
    std::filesystem::remove(path);
  }
};

void given_columns(settings& cfg) {
  cfg.column_kind.fill(0);
  int kinds[] = {1, 2, 3, 7, 8};
  for (int c = 0; c < 5; ++c) cfg.column_kind[c] = kinds[c];
  cfg.delimiter = ';';
  cfg.date_format_flags = {true, false, true};
  set_text(cfg.male_codes, "Mm");
}

// The first progress block comes after record 99 (the later cadence and the
// English lines are checked end to end).
TEST(ReadDataFile, FirstProgressBlockInDutch) {
  for (int n : {98, 99}) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += "A" + std::to_string(i) + ";S;D;M;02-03-2001;Rex;red;Kennel;SUB;x\n";
    data_file_fixture file(text);
    captured_lines out(false);
    given_columns(out.ctx.cfg);
    int optional[] = {4, 9, 10, 11, 12};  // name, colour, breeder, subpopulation, import
    for (int c = 0; c < 5; ++c) out.ctx.cfg.column_kind[5 + c] = optional[c];
    out.ctx.cfg.subpop_codes = {make_text<20>("SUB")};
    animal_table animal;
    create_animal_table(out.ctx, animal, n);
    read_data_file(out.ctx, file.data, animal);
    std::vector<std::string> lines = out.console();
    EXPECT_EQ(lines.back(), " alle records gelezen");
    auto first = std::find(lines.begin(), lines.end(), " record nr.           99 gelezen");
    if (n == 98) {
      EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.rfind(" record nr.", 0) == 0; }), 0);
      continue;
    }
    ASSERT_NE(first, lines.end());
    std::vector<std::string> block(first, first + 11);
    std::vector<std::string> expected = {
        " record nr.           99 gelezen",
        " id            = A99" + std::string(47, ' '),
        " name          = Rex" + std::string(47, ' '),
        " sire          = S" + std::string(49, ' '),
        " dam           = D" + std::string(49, ' '),
        " birthdate     =            2 -           3 -        2001",
        " sex           =            1",
        " colour        = red" + std::string(37, ' '),
        " breeder       = Kennel" + std::string(14, ' '),
        " subpopulation = SUB" + std::string(17, ' '),
        " Import =  T",
    };
    EXPECT_EQ(block, expected);
  }
}

TEST(ReadDataFile, FileEndingBeforeTheCountedRecords) {
  data_file_fixture file("A1;S1;D1;M;01-01-2000\nA2;S1;D1;F;01-01-2001");  // no line end at the end
  captured_lines out;
  given_columns(out.ctx.cfg);
  animal_table animal;
  create_animal_table(out.ctx, animal, 4);
  read_data_file(out.ctx, file.data, animal);
  std::vector<std::string> expected = {" endrecord at animal =            3", " all records read"};
  EXPECT_EQ(out.log(), expected);
  EXPECT_EQ(trimmed_text_of(animal.texts, animal[2].herdbook_nr), "A2");
  for (int i = 3; i <= 4; ++i) {
    EXPECT_EQ(text_of(animal, animal[i].herdbook_nr).view(), std::string(50, ' '));
    EXPECT_EQ(trimmed_text_of(animal.texts, animal[i].sire_id), "0");
    EXPECT_EQ(trimmed_text_of(animal.texts, animal[i].dam_id), "0");
    EXPECT_EQ(trimmed_text_of(animal.texts, animal[i].name), "-");
    EXPECT_EQ(animal[i].sex, 2);
    EXPECT_EQ(animal[i].birth_year, 0);
    EXPECT_EQ(animal[i].birth_month, 1);
    EXPECT_EQ(animal[i].birth_day, 1);
    EXPECT_FALSE(animal[i].is_import);
  }
}

TEST(AnimalTable, ResetAndNumbering) {
  animal_table animal;
  captured_lines out;
  create_animal_table(out.ctx, animal, 3);
  ASSERT_EQ(animal.size(), 3);
  animal[2].sire_nr = 9;
  animal[2].inbreeding = 0.5f;
  animal[2].is_parent = true;
  animal[3].n_offspring = 4;
  reset_and_number_records(animal);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(animal[i].nr, i);
    EXPECT_EQ(animal[i].sire_nr, 0);
    EXPECT_EQ(animal[i].inbreeding, 0.0f);
    EXPECT_FALSE(animal[i].is_parent);
    EXPECT_EQ(animal[i].n_offspring, 0);
    EXPECT_EQ(trimmed_text_of(animal.texts, animal[i].name), "-");
  }
  create_animal_table(out.ctx, animal, 0);
  EXPECT_EQ(animal.size(), 0);
}

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
    captured_lines out;
    create_animal_table(out.ctx, animal, static_cast<std::int64_t>(c.years.size()));
    for (std::size_t i = 0; i < c.years.size(); ++i) animal[i + 1].birth_year = c.years[i];
    const year_range years = find_birth_years(animal);
    EXPECT_EQ(years.first_year, c.first) << c.n_years;
    EXPECT_EQ(years.last_year, c.last) << c.n_years;
    EXPECT_EQ(years.n_years, c.n_years);
  }
}

// A line count beyond what the table can number (a data file of billions of
// lines) ends the run with a diagnostic instead of a wrapped count.
TEST(AnimalTable, MoreRecordsThanCanBeNumberedEndTheRunWithADiagnostic) {
  EXPECT_EXIT(
      {
        captured_lines out;
        animal_table animal;
        create_animal_table(out.ctx, animal, 2147483648LL);
      },
      ::testing::ExitedWithCode(2), "more than 2147483647 records");
}

}  // namespace
}  // namespace veldmarsh
