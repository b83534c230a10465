// Header lines: the table of accepted names, the lookup, and the
// recognition of columns with its console lines.
#include "run/assign_columns.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "reader_test_support.h"

namespace veldmarsh {
namespace {

using reader_testing::captured_lines;

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
  auto kind = [](std::string_view name) {
    return lookup_name16(header_keywords, header_keyword_kinds, make_text<16>(name));
  };
  EXPECT_EQ(kind("ID"), 1);
  EXPECT_EQ(kind("Id"), 1);
  EXPECT_EQ(kind("id"), 1);
  EXPECT_EQ(kind("iD"), 0);
  EXPECT_EQ(kind("Dier"), 1);
  EXPECT_EQ(kind("dier"), 1);
  EXPECT_EQ(kind("Id Father"), 2);
  EXPECT_EQ(kind("Name Mum"), 6);
  EXPECT_EQ(kind("Geb datum"), 8);
  EXPECT_EQ(kind("Sub-populatie"), 11);
  EXPECT_EQ(kind("sub-populatie"), 0);
  EXPECT_EQ(kind("Import"), 12);
  EXPECT_EQ(kind("import"), 0);
  EXPECT_EQ(kind(""), 0);
}

settings recognise(captured_lines& out, std::string_view header, char delimiter = ';', bool merge = false) {
  out.ctx.cfg.delimiter = delimiter;
  out.ctx.cfg.merge_delimiters = merge;
  out.ctx.cfg.column_kind.fill(9);  // recognition starts from nothing
  recognise_header(out.ctx, header);
  return out.ctx.cfg;
}

TEST(RecogniseHeader, FiveRequiredColumns) {
  captured_lines out;
  settings cfg = recognise(out, "id;sire;dam;sex;birthdate");
  EXPECT_EQ(cfg.column_kind[0], 1);
  EXPECT_EQ(cfg.column_kind[1], 2);
  EXPECT_EQ(cfg.column_kind[2], 3);
  EXPECT_EQ(cfg.column_kind[3], 7);
  EXPECT_EQ(cfg.column_kind[4], 8);
  for (int c = 5; c < max_columns; ++c) EXPECT_EQ(cfg.column_kind[c], 0);
  std::vector<std::string> expected = {
      "  Name found for column            1 id              ",
      "  Name found for column            2 sire            ",
      "  Name found for column            3 dam             ",
      "  Name found for column            4 sex             ",
      "  Name found for column            5 birthdate       ",
  };
  EXPECT_EQ(out.console(), expected);
}

TEST(RecogniseHeader, LeadingBlanksLongNamesAndUnknownNames) {
  captured_lines out(false);
  // A name is compared by its first 16 characters once its leading blanks
  // are gone: "sire" followed by 12 blanks and more is "sire".
  settings cfg = recognise(out, "   Dier;sire            tail;Vader van het dier");
  EXPECT_EQ(cfg.column_kind[0], 1);
  EXPECT_EQ(cfg.column_kind[1], 2);
  EXPECT_EQ(cfg.column_kind[2], 0);
  std::vector<std::string> expected = {
      "  Naam gevonden voor kolom            1 Dier            ",
      "  Naam gevonden voor kolom            2 sire            ",
      "  Naam Vader van het di boven kolom            3  niet herkend",
      "  Ga na of dit klopt",
      "  Kolom            3  zal worden overgeslagen",
  };
  EXPECT_EQ(out.console(), expected);
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
  std::vector<std::string> expected = {
      "  Name found for column            1 id              ",
      "  No name found for column            2",
      "  check if correct, i.e. if consecutive delimiters should be treated as indicati",
      " ng empty field",
      "  Column            2  will be skipped",
      "  Name                  found for column            2  not recognised",
      "  check if correct",
      "  Column            2  will be skipped",
      "  Name found for column            3 sire            ",
  };
  EXPECT_EQ(out.console(), expected);
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
