// The entry point of the data-line fuzz target, shared with the test that
// replays its seed corpus. The first bytes choose the settings (delimiter,
// merging, date layout, language, male letter and either a header line or
// column kinds); the remaining lines are split and parsed into records.
// Every record must come out with a month in 1..12, a day no later than the
// month's last and a sex of 1 or 2; nothing may end the process.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "run/assign_columns.h"
#include "run/data_fields.h"
#include "run/read_data_file.h"

namespace veldmarsh_fuzz {

inline void require(bool condition) {
  if (!condition) std::abort();
}

// A console that swallows its lines after building them.
inline std::FILE* null_file() {
  static std::FILE* f = std::fopen("/dev/null", "wb");
  return f;
}

inline int fuzz_data_line(const std::uint8_t* data, std::size_t size) {
  using namespace veldmarsh;
  if (size < 4) return 0;
  run_context ctx;
  ctx.console.file = null_file();
  settings& cfg = ctx.cfg;
  static const char delimiters[] = {';', ',', ' ', '\t', '|'};
  cfg.delimiter = data[0] < 250 ? delimiters[data[0] % 5] : static_cast<char>(data[1]);
  cfg.merge_delimiters = (data[1] & 1) != 0;
  cfg.date_format_flags = {(data[1] & 2) != 0, (data[1] & 4) != 0, (data[1] & 8) != 0};
  cfg.english = (data[1] & 16) != 0;
  const bool header = (data[1] & 32) != 0;
  cfg.male_codes.c[0] = static_cast<char>(data[2]);
  cfg.male_codes.c[1] = static_cast<char>(data[2] ^ 0x20);
  cfg.n_subpop = 2;
  cfg.subpop_codes = {make_text<20>("A"), make_text<20>("SUB1")};
  std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);

  auto next_line = [&](std::string_view& line) {
    if (rest.empty()) return false;
    std::size_t lf = rest.find('\n');
    line = rest.substr(0, lf);
    rest = lf == std::string_view::npos ? std::string_view{} : rest.substr(lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  };
  std::string_view line;
  if (header) {
    if (!next_line(line)) return 0;
    recognise_header(ctx, line);
  } else {
    for (int c = 0; c < max_columns; ++c) cfg.column_kind[c] = c < data[3] % 26 ? (c * 7 + data[3]) % 14 : 0;
  }
  for (int kind : cfg.column_kind) require(kind >= 0 && kind <= 13);

  const data_line_layout layout = make_data_line_layout(cfg);
  std::int64_t r = 0;
  animal_table animal;
  animal.rows.assign(1, new_animal_record());
  while (next_line(line)) {
    animal.rows.push_back(new_animal_record());
    animal_record& record = animal.rows.back();
    if (split_data_line(ctx, layout, line, ++r, animal.texts, record) == field_status::ok) {
      static const int days[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
      require(record.birth_month >= 1 && record.birth_month <= 12);
      require(record.birth_day <= days[record.birth_month]);
      require(record.sex == 1 || record.sex == 2);
      write_record_progress(ctx, animal, r);
    }
  }
  return 0;
}

}  // namespace veldmarsh_fuzz
