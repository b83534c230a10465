// Data lines: birth dates in the eight layouts, date parts, splitting with
// and without merged delimiters, the blank padding of short and long lines,
// parents, sex and import marks (long fields, bad dates and odd bytes are
// held end to end).
#include "run/data_fields.h"

#include <gtest/gtest.h>

#include "support/captured_run.h"

namespace veldmarsh {
namespace {

using captured_lines = testing::captured_channels<true>;

// Flags: separators, year before month, day before month.
constexpr std::array<bool, 3> dmy{true, false, true}, mdy{true, false, false}, ymd{true, true, false},
    ydm{true, true, true}, ddmmyyyy{false, false, true}, mmddyyyy{false, false, false}, yyyymmdd{false, true, false},
    yyyyddmm{false, true, true};

struct date_case {
  const char* field;
  std::array<bool, 3> flags;
  int year, month, day;
};

TEST(BirthDate, EightLayoutsAndCorrections) {
  const date_case cases[] = {
      {"31-12-2019", dmy, 2019, 12, 31},
      {"31-04-2019", dmy, 2019, 4, 1},  // April has 30 days
      {"29.02.2019", dmy, 2019, 2, 29},  // February always has 29
      {"30.02.2019", dmy, 2019, 2, 1},
      {"5/13/2019", dmy, 2019, 1, 5},  // month 13 becomes 1
      {"5/13/2019", mdy, 2019, 5, 13},
      {"12/31/1999", mdy, 1999, 12, 31},
      {"2019/02/28", ymd, 2019, 2, 28},
      {"2019 28 02", ydm, 2019, 2, 28},
      {"31122019", ddmmyyyy, 2019, 12, 31},
      {"12312019", mmddyyyy, 2019, 12, 31},
      {"20191231", yyyymmdd, 2019, 12, 31},
      {"20193112", yyyyddmm, 2019, 12, 31},
      {"20190228", yyyyddmm, 2019, 1, 2},  // day 02, month 28 outside 1..12
      {"unknown", dmy, 0, 1, 1},           // no digit at all
      {"", yyyymmdd, 0, 1, 1},
      {"00-00-0000", dmy, 0, 1, 0},  // month 0 becomes 1, day 0 is kept
      {"31-12-19", dmy, 19, 12, 31},  // the year is not checked
      {"1-2-2003   ", dmy, 2003, 2, 1},
      // No separator: the whole field is the day (above the month's length: 1).
      {"20190101", dmy, 0, 1, 1},
      {"12-2019", dmy, 2019, 1, 12},  // one separator: the middle part is empty
      {"2019--5", ymd, 2019, 1, 5},
      {"2019", yyyymmdd, 2019, 1, 0},  // a short compact date is padded with blanks
      {"2019-1-5", yyyymmdd, 2019, 1, -5},  // a sign inside a compact date
  };
  for (const date_case& c : cases) {
    birth_date d{-7, -7, -7};
    ASSERT_TRUE(parse_birth_date(c.field, c.flags, d)) << c.field;
    EXPECT_EQ(d.year, c.year) << c.field;
    EXPECT_EQ(d.month, c.month) << c.field;
    EXPECT_EQ(d.day, c.day) << c.field;
  }
}

TEST(BirthDate, PartsThatAreNotNumbersFail) {
  birth_date d{1, 2, 3};
  EXPECT_FALSE(parse_birth_date("31/Dec/2019", dmy, d));
  EXPECT_FALSE(parse_birth_date(" 31-12-2019", dmy, d));  // the leading blank is the first separator
  EXPECT_FALSE(parse_birth_date("1/2/2019", ddmmyyyy, d));
  EXPECT_FALSE(parse_birth_date("99999999999-1-1", ymd, d));  // beyond 32 bits
  std::string_view part;
  EXPECT_FALSE(parse_birth_date("21---1990", dmy, d, &part));
  EXPECT_EQ(part, "-");
  EXPECT_FALSE(parse_birth_date("05-1 1-1990", dmy, d, &part));
  EXPECT_EQ(part, "1 1");
  EXPECT_EQ(d.year, 1);  // unchanged
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 3);
}

TEST(BirthDate, DateParts) {
  const std::pair<std::string_view, std::int32_t> good[] = {{"", 0},      {"   ", 0},
                                                            {" +5 ", 5},  {"-12", -12},
                                                            {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
  for (auto [text, value] : good) {
    std::int32_t v = -1;
    EXPECT_TRUE(read_date_part(text, v)) << text;
    EXPECT_EQ(v, value) << text;
  }
  // Blanks, an optional sign, one or more digits, blanks: in that order only.
  const std::string_view bad_parts[] = {"2147483648", "5-", "+-5", "1a", std::string_view("1\0", 2), "-", " + ",
                                        "1 1", "- 5"};
  for (std::string_view bad : bad_parts) {
    std::int32_t v;
    EXPECT_FALSE(read_date_part(bad, v)) << bad;
  }
}

// A run set up for splitting lines with the given kinds.
struct line_run {
  captured_lines out;
  data_line_layout layout;
  explicit line_run(std::initializer_list<int> kinds, char delimiter = ';', bool merge = false) {
    settings& cfg = out.ctx.cfg;
    int c = 0;
    for (int k : kinds) cfg.column_kind[c++] = k;
    cfg.delimiter = delimiter;
    cfg.merge_delimiters = merge;
    cfg.date_format_flags = dmy;
    set_text(cfg.male_codes, "mM");
    cfg.subpop_codes = {make_text<20>("Ruwhaar"), make_text<20>("Gladhaar")};
    cfg.n_subpop = 2;
    layout = make_data_line_layout(cfg);
  }
  animal_texts texts;
  animal_record split(std::string_view line, std::int64_t r = 1) {
    animal_record record = new_animal_record();
    EXPECT_EQ(split_data_line(out.ctx, layout, line, r, texts, record), field_status::ok) << line;
    return record;
  }
  template <text_field F>
  std::string_view text(text_ref<F> field) const {
    return trimmed_text_of(texts, field);
  }
};

// Identification, parents, name, colour and breeder of a record, joined by "|".
std::string id_fields(const line_run& run, const animal_record& r) {
  std::string out;
  for (std::string_view f : {run.text(r.herdbook_nr), run.text(r.sire_id), run.text(r.dam_id), run.text(r.name),
                             run.text(r.colour), run.text(r.breeder)})
    (out += f) += "|";
  return out;
}
std::string id_fields(line_run&& run, std::string_view line) { return id_fields(run, run.split(line)); }

TEST(SplitDataLine, BlankDelimiterWithAndWithoutMerging) {
  EXPECT_EQ(id_fields(line_run({1, 2, 3}, ' ', true), "A1   S1  D1"), "A1|S1|D1|-|||");
  // Without merging every blank between two fields is an empty field.
  EXPECT_EQ(id_fields(line_run({1, 2, 3, 4, 9, 10}, ' ', false), "A1   S1  D1"), "A1|0|0|S1||D1|");
  // Merging skips delimiters at the start of the line.
  EXPECT_EQ(id_fields(line_run({1, 2}, ';', true), ";;;A1;;S1"), "A1|S1|0|-|||");
}

TEST(SplitDataLine, ShortLinesLongLinesAndExtraColumns) {
  line_run run({1, 2, 3, 7, 8, 4});
  // A line that ends early gives empty fields to the remaining columns; an
  // empty name field gives a blank name, not "-".
  animal_record r = run.split("A1;S1");
  EXPECT_EQ(id_fields(run, r), "A1|S1|0||||");
  EXPECT_EQ(r.sex, 2);
  EXPECT_EQ(r.birth_year, 0);
  // Columns after the last one with a kind are not looked at; a line longer
  // than 600 characters is read whole, so no column shifts (the blanks that
  // open it are the identification's first 50 characters).
  r = run.split("A1;S1;D1;M;01-02-2003;Rex;x;y;z;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;31-31-31");
  EXPECT_EQ(id_fields(run, r), "A1|S1|D1|Rex|||");
  r = run.split(std::string(650, ' ') + "A2;S2;D2;M;01-02-2004;Bo");
  EXPECT_EQ(id_fields(run, r), "|S2|D2|Bo|||");
  EXPECT_EQ(r.birth_year, 2004);
  // A blank delimiter also separates the padding of a short line.
  EXPECT_EQ(id_fields(line_run({1, 0, 0, 0, 2}, ' ', false), "A1"), "A1|0|0|-|||");
}

TEST(ParseField, ParentsSexAndImport) {
  line_run run({2, 3, 7, 12});
  const std::pair<std::string, const char*> cases[] = {
      {"unknown;Unknown;m;" + std::string(25, ' ') + "x", "0|0|1|F"},  // import: only 20 characters count
      {"UNKNOWN; unknown;M;x", "UNKNOWN| unknown|1|T"},
      {";;male;", "0|0|1|F"}, {";; m;", "0|0|2|F"}, {";;f;", "0|0|2|F"}, {";;;", "0|0|2|F"}, {"   ;x;;", "0|x|2|F"}};
  for (const auto& [line, expected] : cases) {
    animal_record r = run.split(line);
    EXPECT_EQ(std::string(run.text(r.sire_id)) + "|" + std::string(run.text(r.dam_id)) + "|" + std::to_string(r.sex) +
                  (r.is_import ? "|T" : "|F"),
              expected)
        << line;
  }
}

// An empty sex field, also one beyond the line's end, is female, even when
// the male letter is a blank; a blank in the line is that letter.
TEST(ParseField, EmptySexFieldWithABlankMaleLetter) {
  line_run run({1, 7, 2});
  run.layout.male_codes[0] = run.layout.male_codes[1] = ' ';
  for (const auto& [line, sex] : {std::pair{"A", 2}, {"A;", 2}, {"A;;S", 2}, {"A; ;S", 1}, {"A;M", 2}})
    EXPECT_EQ(run.split(line).sex, sex) << line;
}

}  // namespace
}  // namespace veldmarsh
