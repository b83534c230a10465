// Free-format lines: spacing, 80-column wrapping and the worked lines of the
// time stamps, with the clock at 5 December 2026, 10:17:58.123.
#include "common/free_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/run_context.h"
#include "support/captured_run.h"

namespace veldmarsh {
namespace {

std::vector<std::string> lines_of(std::initializer_list<free_item> items) {
  return build_free_lines(std::span<const free_item>(items.begin(), items.size()));
}

using captured_log = testing::captured_channels<false>;

TEST(FreeFormat, TextsAndIntegersShareOneLine) {
  auto l = lines_of({"first year ", 1985, "last year ", 2024});
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0], " first year         1985 last year         2024");
  EXPECT_EQ(l[0].size(), 47u);
}

TEST(FreeFormat, IntegerFirstStartsInColumnOne) {
  auto l = lines_of({7, " columns in data file"});
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0], "           7  columns in data file");
  EXPECT_EQ(l[0].size(), 34u);
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

TEST(FreeFormat, TextAfterIntegerGetsOneSeparatorBlankAndLogicalsTakeTwoColumns) {
  auto l = lines_of({12, "x", logical_item(true), logical_item(false), "y"});
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0], "          12 x T F y");
}

TEST(FreeFormat, BlankTextsMakeBlankLines) {
  EXPECT_EQ(lines_of({"           "})[0], std::string(12, ' '));
  EXPECT_EQ(lines_of({" "})[0], "  ");
  EXPECT_EQ(lines_of({""})[0], " ");
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

TEST(TimeStamp, ShortPhaseFitsOnOneLine) {
  captured_log c;
  write_time_stamp(c.ctx, "Data file read at ", " on ");
  auto l = c.log();
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0], " Data file read at 05/12/2026 on 10.17 and 58.123 seconds ");
  EXPECT_EQ(l[0].size(), 58u);
}

TEST(TimeStamp, EnglishKinshipStampWrapsBeforeTheConnector) {
  captured_log c;
  write_time_stamp(c.ctx, "Kinship coefficient of all animals born in the same year computed at ", " on ");
  auto l = c.log();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].size(), 80u);
  EXPECT_EQ(l[0].substr(70), "05/12/2026");
  EXPECT_EQ(l[1], "  on 10.17 and 58.123 seconds ");
}

TEST(TimeStamp, DutchKinshipStampWrapsBeforeTheDay) {
  captured_log c;
  c.ctx.cfg.english = false;
  write_time_stamp(c.ctx, "Kinship", "Verwantschapcoefficient van alle in hetzelfde jaar geboren dieren berekend op ",
                   " on ");
  auto l = c.log();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].size(), 79u);
  EXPECT_EQ(l[1], " 05/12/2026 on 10.17 and 58.123 seconds ");
}

TEST(TimeStamp, PhaseLongerThanALineIsSplitAfterItsSeventyNinthCharacter) {
  captured_log c;
  c.ctx.cfg.english = true;
  write_time_stamp(c.ctx,
                   "Generation interval, litter size, total no. of offspring, colours etc. per year, determined at ",
                   "", " om ");
  auto l = c.log();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], " Generation interval, litter size, total no. of offspring, colours etc. per year");
  EXPECT_EQ(l[1], " , determined at 05/12/2026 on 10.17 and 58.123 seconds ");
  EXPECT_EQ(l[1].size(), 56u);
}

TEST(TimeStamp, StartAndStopLines) {
  captured_log c;
  write_start_line(c.ctx);
  c.ctx.cfg.english = true;
  write_stop_line(c.ctx);
  c.ctx.cfg.english = false;
  write_stop_line(c.ctx);
  auto l = c.log();
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], " Veldmarsh started at 05/12/2026 on 10.17 and 58.123 seconds ");
  EXPECT_EQ(l[1], " Veldmarsh stopped at.10.17 and 58.123 seconds ");
  EXPECT_EQ(l[2], " Veldmarsh gestopt op 10.17 en 58.123 seconden ");
}

}  // namespace
}  // namespace veldmarsh
