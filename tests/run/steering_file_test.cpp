// Items of the steering file: integers and lists of them, date-layout
// flags and the report file's name (whole steering files are read end to
// end).
#include "run/steering_file.h"

#include <gtest/gtest.h>

namespace veldmarsh {
namespace {

TEST(SteeringItems, IntegerItems) {
  const std::pair<std::string_view, std::optional<std::int64_t>> cases[] = {
      {"12", 12},  {"   -3 subpopulations", -3}, {"+4,5", 4},   {"7\t", 7},
      {"2147483647", 2147483647}, {"-2147483648", -2147483648LL}, {"", {}}, {"two", {}},
      {"3x", {}},  {"-", {}},                     {"99999999999", {}}};
  for (auto [text, value] : cases) EXPECT_EQ(read_integer_item(text), value) << text;
}

TEST(SteeringItems, IntegerLists) {
  EXPECT_EQ(*read_integer_list("5 1,2, 3 ,7   8"), (std::vector<std::int64_t>{5, 1, 2, 3, 7, 8}));
  EXPECT_FALSE(read_integer_list("5 1 2 x"));
  EXPECT_EQ(*read_integer_list("3 1 2 3 columns of the file", 4), (std::vector<std::int64_t>{3, 1, 2, 3}));
  EXPECT_FALSE(read_integer_list("3 1 two 3 columns", 4));
  EXPECT_TRUE(read_integer_list("")->empty());
}

TEST(SteeringItems, DateLayoutFlags) {
  const std::pair<std::string_view, std::array<bool, 3>> cases[] = {
      {"dd-mm-yyyy", {true, false, true}}, {"yyyymmdd  ", {false, true, false}}, {"jjjj/mm/dd", {true, true, false}},
      {"mm/dd/yyyy", {true, false, false}}, {"dd mm yyyy", {true, false, true}},
      {"yyyy", {false, false, false}}};  // a letter that does not occur counts as position 0
  for (auto [text, flags] : cases) EXPECT_EQ(date_format_flags_of(text), flags) << text;
}

TEST(SteeringItems, ReportFileName) {
  const std::pair<std::string, std::string> cases[] = {
      {"ped.csv", "ped.out"}, {"pedigree.txt" + std::string(88, ' '), "pedigree.out"}, {"  data/p.csv", "data/p.out"},
      {"abc", "out"},         {"ab", "out"}, {"", "out"}, {"x.out", "x.out"}};
  for (const auto& [data, report] : cases) EXPECT_EQ(derive_report_file_name(data), report) << data;
}

}  // namespace
}  // namespace veldmarsh
