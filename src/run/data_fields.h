// Splitting one data line at the delimiter and storing its fields into an
// animal record by the kind of their column: identifications and texts cut
// to their width with a warning, "unknown" parents, the sex letter, the birth
// date in one of eight layouts, the import mark and the check of
// subpopulation codes.
//
// Nothing here ends the run: a birth-date part that is not a whole number is
// returned as a status, and the caller ends the run with a diagnostic that
// names the line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "common/animal_record.h"
#include "common/run_context.h"

namespace veldmarsh {

// A line is read as if padded with blanks to this many characters, or to its
// own length when longer; a field reaching the end of that text ends there.
inline constexpr std::size_t min_line_length = 600;

enum class field_status {
  ok,
  date_part_not_a_number,  // a birth-date part holds more than blanks, a sign and digits, or overflows
};

// How the run's data lines are split and read, taken once from the settings.
struct data_line_layout {
  std::array<int, max_columns> column_kind{};
  int last_column = 0;  // the last column whose kind is not 0; 0 when there is none
  char delimiter = ' ';
  bool merge_delimiters = false;
  std::array<bool, 3> date_format_flags{};  // separators; year before month; day before month
  char male_codes[2] = {' ', ' '};
  std::unordered_set<std::string_view> subpop_codes;  // the steering file's codes (20 characters each)
};

// The layout of `cfg`. The subpopulation codes are views of cfg's codes,
// which must outlive the layout.
data_line_layout make_data_line_layout(const settings& cfg);

// A birth date that cannot be read: the part that is not a whole number and
// the whole field.
struct unreadable_date {
  std::string part;
  std::string field;
};

// Splits one data line and stores its fields into `record`, its texts
// among `texts` (those of the table the record belongs to); `record_nr`
// names the record in warnings. Stops at the first birth date that cannot be
// read (the fields before it are stored), described in `unreadable` when
// given.
field_status split_data_line(run_context& ctx, const data_line_layout& layout, std::string_view line,
                             std::int64_t record_nr, animal_texts& texts, animal_record& record,
                             unreadable_date* unreadable = nullptr);

// Stores one field of a column of kind `kind` into `record`, with the
// warnings of a field longer than its place and of an unknown subpopulation.
// An empty field is one without characters: between two delimiters or
// beyond the line's end.
field_status parse_field(run_context& ctx, const data_line_layout& layout, std::int64_t record_nr,
                         std::string_view field, int kind, animal_texts& texts, animal_record& record,
                         unreadable_date* unreadable = nullptr);

struct birth_date {
  std::int32_t year = 0;  // 0 = unknown
  std::int32_t month = 1;
  std::int32_t day = 1;
};

// Reads a birth-date field by the three layout flags. False when a part is
// not a whole number (`date` is then unchanged; the part is given in
// `unreadable_part` when asked for).
bool parse_birth_date(std::string_view field, const std::array<bool, 3>& date_format_flags, birth_date& date,
                      std::string_view* unreadable_part = nullptr);

// One part of a birth date: blanks, an optional sign, one or more digits,
// blanks, in that order. An empty or blank part is 0. False when the part
// holds anything else (a lone sign, a blank between digits, a letter) or
// does not fit in 32 bits.
bool read_date_part(std::string_view part, std::int32_t& value);

}  // namespace veldmarsh
