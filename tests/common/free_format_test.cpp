// Free-format lines: spacing and 80-column wrapping (the time stamps built
// on them are held end to end).
#include "common/free_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldmarsh {
namespace {

std::vector<std::string> lines_of(std::initializer_list<free_item> items) {
  return build_free_lines(std::span<const free_item>(items.begin(), items.size()));
}

TEST(FreeFormat, OneLineLayouts) {
  const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
      {lines_of({"first year ", 1985, "last year ", 2024}), {" first year         1985 last year         2024"}},
      {lines_of({7, " columns in data file"}), {"           7  columns in data file"}},  // from column one
      // A text after an integer gets one separator blank; logicals take two columns.
      {lines_of({12, "x", logical_item(true), logical_item(false), "y"}), {"          12 x T F y"}},
      {lines_of({"           "}), {std::string(12, ' ')}},
      {lines_of({" "}), {"  "}},
      {lines_of({""}), {" "}},
  };
  for (const auto& [lines, expected] : cases) EXPECT_EQ(lines, expected);
}

TEST(FreeFormat, IntegersThatDoNotFitStartTheNextLineInColumnOne) {
  std::vector<free_item> items{free_item("index numbers of columns")};
  for (int k = 1; k <= 12; ++k) items.emplace_back(k);
  auto l = build_free_lines(items);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0].size(), 73u);
  EXPECT_EQ(l[1].size(), 72u);
  EXPECT_EQ(l[2].size(), 24u);
  EXPECT_EQ(l[1].substr(0, 12), "           5");
  EXPECT_EQ(l[2], "          11          12");
}

TEST(FreeFormat, LongTextsWrapAndSplitAfterOneBlank) {
  std::string title = std::string("Hinterwald") + std::string(30, ' ');
  std::string name(100, 'n');
  name.replace(79, 21, std::string(21, 'z'));
  auto l = lines_of({"Analysis of ", title, "based on data read from file: ", name});
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[0], " Analysis of " + title);
  EXPECT_EQ(l[0].size(), 53u);
  EXPECT_EQ(l[1], " based on data read from file: ");
  EXPECT_EQ(l[2], " " + std::string(79, 'n'));
  EXPECT_EQ(l[3], " " + std::string(21, 'z'));
}

TEST(FreeFormat, ExactlyEightyColumnsFitAndEightyOneDoNot) {
  auto fits = lines_of({std::string(79, 'a')});
  ASSERT_EQ(fits.size(), 1u);
  EXPECT_EQ(fits[0].size(), 80u);
  auto split = lines_of({std::string(80, 'a')});
  ASSERT_EQ(split.size(), 2u);
  EXPECT_EQ(split[1], " a");
  auto three = lines_of({std::string(200, 'b')});
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[2], " " + std::string(200 - 158, 'b'));
}

}  // namespace
}  // namespace veldmarsh
