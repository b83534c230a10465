// The steering file: integer items, date-layout flags, the report file's
// name, and the settings a whole file gives (language, species words, male
// letter, codes, switches).
#include "run/steering_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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

// Writes a steering file in a scratch directory and reads it there.
settings read_settings(const std::string& text) {
  namespace fs = std::filesystem;
  fs::path old = fs::current_path();
  fs::path dir = fs::temp_directory_path() / ("veldmarsh-steering-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  std::ofstream(steering_file_name, std::ios::binary) << text;
  run_context ctx;  // channels without files: the echo lines are dropped
  read_steering_file(ctx, make_species_names());
  fs::current_path(old);
  fs::remove_all(dir);
  return ctx.cfg;
}

TEST(SteeringFile, EnglishRunWithDutchSpeciesWordUsesEnglishDogWords) {
  settings s = read_settings("Title\r\nped.csv\r\n;\r\nY\r\ndd-mm-yyyy\r\nhond\r\nm\r\nen\r\ny\r\n2\r\nA\r\nB\r\n1\r\nred\r\nn\r\n");
  EXPECT_TRUE(s.english);
  EXPECT_TRUE(s.merge_delimiters);
  EXPECT_EQ(s.delimiter, ';');
  EXPECT_EQ(s.species_index, 9);
  EXPECT_EQ(trimmed(s.male_word), "dog");
  EXPECT_EQ(trimmed(s.female_words), "bitches");
  EXPECT_EQ(trimmed(s.young_word), "pup");
  EXPECT_EQ(s.male_codes.view(), "mM");
  EXPECT_TRUE(s.has_header);
  ASSERT_EQ(s.n_subpop, 2);
  EXPECT_EQ(trimmed(s.subpop_codes[1]), "B");
  ASSERT_EQ(s.n_colour_classes, 3);
  EXPECT_EQ(trimmed(s.colour_codes[0]), "red");
  EXPECT_EQ(trimmed(s.colour_codes[1]), "Onbekend");
  EXPECT_EQ(trimmed(s.colour_codes[2]), "niet erkend");
  EXPECT_EQ(trimmed(s.report_file_name), "ped.out");
  EXPECT_FALSE(s.write_new_pedfile);
}

TEST(SteeringFile, UpperCaseLanguageChoosesDutchAndWrongCaseSpeciesMatchesNothing) {
  settings s = read_settings("T\nped.csv\n;\nn\nyyyymmdd\nDog\n1\nEN\n3 1 2 3\n0\n0\ny\n");
  EXPECT_FALSE(s.english);
  EXPECT_EQ(s.species_index, 16);
  EXPECT_EQ(trimmed(s.male_word), "father");
  EXPECT_EQ(s.male_codes.view(), "11");
  EXPECT_FALSE(s.has_header);
  EXPECT_EQ(s.column_kind[0], 1);
  EXPECT_EQ(s.column_kind[2], 3);
  EXPECT_EQ(s.column_kind[3], 0);
  EXPECT_EQ(s.n_subpop, 0);
  EXPECT_EQ(s.n_colour_classes, 2);
  EXPECT_TRUE(s.write_new_pedfile);
}

TEST(SteeringFile, DutchSpeciesInDutchRunAndUnreadableCounts) {
  settings s = read_settings("T\nped.csv\n;\nn\ndd-mm-yyyy\nschaap\nR\nnl\ny\nmany\n-2\n");
  EXPECT_FALSE(s.english);
  EXPECT_EQ(s.species_index, 4);
  EXPECT_EQ(trimmed(s.male_words), "rammen");
  EXPECT_EQ(s.male_codes.view(), "Rr");
  EXPECT_EQ(s.n_subpop, 0);
  EXPECT_EQ(s.n_colour_classes, 2);  // a negative count is used as 0
  EXPECT_FALSE(s.write_new_pedfile);  // the last line is missing
}

}  // namespace
}  // namespace veldmarsh
