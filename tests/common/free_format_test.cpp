// Free-format lines: spacing and 80-column wrapping, and the time stamps
// built on them (clock at 5 December 2026, 10:17:58.123).
#include "common/free_format.h"

#include <gtest/gtest.h>

#include "support/captured_run.h"

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

TEST(TimeStamp, WorkedLines) {
  struct stamp_case {
    bool english;
    const char* phase;
    const char* connector;
    std::vector<std::string> lines;
  };
  const stamp_case cases[] = {
      {true, "Data file read at ", " on ", {" Data file read at 05/12/2026 on 10.17 and 58.123 seconds "}},
      // The connector does not fit after the date and begins the next line.
      {true, "Kinship coefficient of all animals born in the same year computed at ", " on ",
       {" Kinship coefficient of all animals born in the same year computed at 05/12/2026",
        "  on 10.17 and 58.123 seconds "}},
      // The day does not fit after a 79-character line.
      {false, "Verwantschapcoefficient van alle in hetzelfde jaar geboren dieren berekend op ", " on ",
       {" Verwantschapcoefficient van alle in hetzelfde jaar geboren dieren berekend op ",
        " 05/12/2026 on 10.17 and 58.123 seconds "}},
      // A phase longer than a line is cut after its 79th character.
      {true, "Generation interval, litter size, total no. of offspring, colours etc. per year, determined at ", " on ",
       {" Generation interval, litter size, total no. of offspring, colours etc. per year",
        " , determined at 05/12/2026 on 10.17 and 58.123 seconds "}},
  };
  for (const stamp_case& c : cases) {
    testing::captured_channels<true> out(c.english);
    write_time_stamp(out.ctx, c.phase, c.connector);
    EXPECT_EQ(out.log(), c.lines);
  }
  testing::captured_channels<true> out;
  write_start_line(out.ctx);
  write_stop_line(out.ctx);
  out.ctx.cfg.english = false;
  write_stop_line(out.ctx);
  EXPECT_EQ(out.log(), (std::vector<std::string>{" Veldmarsh started at 05/12/2026 on 10.17 and 58.123 seconds ",
                                                 " Veldmarsh stopped at.10.17 and 58.123 seconds ",
                                                 " Veldmarsh gestopt op 10.17 en 58.123 seconden "}));
}

}  // namespace
}  // namespace veldmarsh
