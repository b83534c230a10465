// The settings of a run: read once from the steering file and read-only
// afterwards, except the column kinds, which the data file's header line
// fills when the steering file does not give them.
#pragma once

#include <array>
#include <vector>

#include "common/fixed_text.h"

namespace veldmarsh {

constexpr int max_columns = 25;  // data columns that can carry a kind

// Kinds of data columns.
enum column_kinds : int {
  kind_ignored = 0,
  kind_id = 1,
  kind_sire_id = 2,
  kind_dam_id = 3,
  kind_name = 4,
  kind_sire_name = 5,
  kind_dam_name = 6,
  kind_sex = 7,
  kind_birth_date = 8,
  kind_colour = 9,
  kind_breeder = 10,
  kind_subpop = 11,
  kind_import = 12,
};

// Everything the steering file says, with what the data file's columns add.
struct settings {
  fixed_text<40> analysis_title;
  fixed_text<100> data_file_name;
  fixed_text<100> report_file_name;  // derived from data_file_name
  char delimiter = ' ';
  bool merge_delimiters = false;            // a run of delimiters counts as one
  std::array<bool, 3> date_format_flags{};  // separators; year before month; day before month
  int species_index = 16;                   // row of the species in the word tables, 1..16
  fixed_text<2> male_codes;                 // the male letter, then the same letter in the other case
  bool english = false;                     // true: English texts; false: Dutch texts
  bool has_header = false;                  // the data file's first line names its columns (also when
                                            // read because the steering file gave only kinds 0)
  std::array<int, max_columns> column_kind{};  // kind of each data column (index 0 = column 1)
  int n_subpop = 0;
  std::vector<fixed_text<20>> subpop_codes;
  int n_colour_classes = 2;  // colour codes of the steering file + 2
  std::vector<fixed_text<40>> colour_codes;
  bool write_new_pedfile = false;

  // Species words: singular, then plural.
  fixed_text<8> male_word, female_word, young_word, male_words, female_words, young_words;

  // Which optional columns the data file has (set once its columns are known).
  bool has_name_column = false;
  bool has_sire_name_column = false;
  bool has_dam_name_column = false;
  bool has_colour_column = false;
  bool has_breeder_column = false;
  bool has_subpop_column = false;
  bool has_import_column = false;
};

}  // namespace veldmarsh
