// Header lines: the table of accepted names, the lookup and the recognition
// of columns (its console lines are checked end to end).
#include "run/assign_columns.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "support/captured_run.h"

namespace veldmarsh {
namespace {

using captured_lines = testing::captured_channels<true>;

TEST(HeaderKeywords, TwoHundredThirtyDistinctNamesByKind) {
  std::set<std::string_view> names;
  std::map<int, int> per_kind;
  for (std::size_t j = 0; j < header_keywords.size(); ++j) {
    names.insert(header_keywords[j].view());
    ++per_kind[header_keyword_kinds[j]];
  }
  EXPECT_EQ(names.size(), 230u);
  EXPECT_EQ(header_keyword_kinds[230], 0);
  std::map<int, int> expected = {{1, 7},  {2, 43}, {3, 44}, {4, 4},  {5, 36},  {6, 36},
                                 {7, 8},  {8, 14}, {9, 8},  {10, 4}, {11, 25}, {12, 1}};
  EXPECT_EQ(per_kind, expected);
}

TEST(HeaderKeywords, LookupIsExactAndCaseSensitive) {
  const std::pair<std::string_view, int> cases[] = {
      {"ID", 1},        {"Id", 1},        {"id", 1},        {"iD", 0},        {"Dier", 1},
      {"dier", 1},      {"Id Father", 2}, {"Name Mum", 6},  {"Geb datum", 8}, {"Sub-populatie", 11},
      {"sub-populatie", 0}, {"Import", 12}, {"import", 0},  {"", 0}};
  for (auto [name, kind] : cases)
    EXPECT_EQ(lookup_name16(header_keywords, header_keyword_kinds, make_text<16>(name)), kind) << name;
}

settings recognise(captured_lines& out, std::string_view header, char delimiter = ';', bool merge = false) {
  out.ctx.cfg.delimiter = delimiter;
  out.ctx.cfg.merge_delimiters = merge;
  out.ctx.cfg.column_kind.fill(9);  // recognition starts from nothing
  recognise_header(out.ctx, header);
  return out.ctx.cfg;
}

TEST(RecogniseHeader, LeadingBlanksLongNamesAndUnknownNames) {
  captured_lines out(false);
  // A name is compared by its first 16 characters once its leading blanks
  // are gone: "sire" followed by 12 blanks and more is "sire".
  settings cfg = recognise(out, "   Dier;sire            tail;Vader van het dier");
  EXPECT_EQ(cfg.column_kind[0], 1);
  EXPECT_EQ(cfg.column_kind[1], 2);
  EXPECT_EQ(cfg.column_kind[2], 0);
  EXPECT_EQ(out.console()[2], "  Naam Vader van het di boven kolom            3  niet herkend");
}

TEST(RecogniseHeader, EmptyFieldsWithAndWithoutMerging) {
  captured_lines out;
  settings cfg = recognise(out, ";;id;;sire", ';', true);
  EXPECT_EQ(cfg.column_kind[0], 1);
  EXPECT_EQ(cfg.column_kind[1], 2);
  EXPECT_EQ(out.console().size(), 2u);
  // Without merging an empty name gets its three lines and then, as a name
  // matching nothing, the three not-recognised lines.
  cfg = recognise(out, "id;;sire", ';', false);
  EXPECT_EQ(cfg.column_kind[0], 1);
  EXPECT_EQ(cfg.column_kind[1], 0);
  EXPECT_EQ(cfg.column_kind[2], 2);
  EXPECT_EQ(out.console().size(), 9u);  // the lines are checked end to end
}

TEST(RecogniseHeader, AtMostTwentyFiveColumns) {
  captured_lines out;
  std::string header = "id";
  for (int c = 2; c <= 30; ++c) header += ";sex";
  settings cfg = recognise(out, header);
  for (int c = 1; c < max_columns; ++c) EXPECT_EQ(cfg.column_kind[c], 7);
  EXPECT_EQ(out.console().size(), 25u);
  // A header longer than 600 characters is read whole.
  cfg = recognise(out, std::string(620, ' ') + "id;dam");
  EXPECT_EQ(cfg.column_kind[0], 1);
  EXPECT_EQ(cfg.column_kind[1], 3);
}

TEST(RecogniseHeader, BlankDelimiter) {
  captured_lines out;
  settings cfg = recognise(out, "  id  sire dam   sex birthdate", ' ', true);
  EXPECT_EQ(cfg.column_kind[0], 1);
  EXPECT_EQ(cfg.column_kind[4], 8);
  EXPECT_EQ(cfg.column_kind[5], 0);
  EXPECT_EQ(out.console().size(), 5u);
}

TEST(HeaderLine, PresentWhenNoColumnKindIsGiven) {
  settings cfg;
  EXPECT_TRUE(data_file_has_header_line(cfg));
  cfg.column_kind[24] = 1;
  EXPECT_FALSE(data_file_has_header_line(cfg));
}

}  // namespace
}  // namespace veldmarsh
