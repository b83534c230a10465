// Fixed-layout fields: Fortran rounding of the exact binary value, widths,
// asterisks on overflow, repeat counts, blanks and run-time formats.
#include "common/fixed_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <regex>
#include <sstream>

namespace veldmarsh {
namespace {

std::string line_of(std::string_view format, std::initializer_list<fixed_value> values) {
  auto l = build_fixed_lines(format, std::span<const fixed_value>(values.begin(), values.size()));
  EXPECT_EQ(l.size(), 1u);
  return l.empty() ? "" : l[0];
}

TEST(FixedFormat, WorkedLines) {
  EXPECT_EQ(line_of("(2F8.4)", {0.03125f, 0.5f}), "  0.0312  0.5000");
  EXPECT_EQ(line_of("(I4)", {123456}), "****");
  EXPECT_EQ(build_run_format("(I8,005I8)", 12), "(I8,012I8)");
  EXPECT_EQ(build_run_format("(I8,005F10.4)", 1), "(I8,001F10.4)");
  EXPECT_EQ(build_run_format("(A8,005I8)", 1035), "(A8,1035I8)");
}

TEST(FixedFormat, Reals) {
  struct real_case {
    double value;
    int w, d;
    const char* text;
  };
  const real_case cases[] = {
      // The exact binary value is rounded, half to even.
      {0.03125, 8, 4, "  0.0312"}, {0.09375, 8, 4, "  0.0938"}, {2.5, 4, 0, "  2."}, {3.5, 4, 0, "  4."},
      {0.15f, 6, 1, "   0.2"},  // 0.15f is 0.15000000596...
      {0.35f, 6, 1, "   0.3"},  // 0.35f is 0.34999999403...
      {1.0f / 3.0f, 8, 4, "  0.3333"}, {12.0, 8, 0, "     12."}, {0.0, 8, 2, "    0.00"},
      // Signs of zero.
      {-0.00001f, 8, 4, " -0.0000"}, {-0.0, 8, 4, "  0.0000"}, {-0.25, 8, 4, " -0.2500"},
      // Overflow and non-finite values; the zero before the point goes first.
      {123456.0, 8, 4, "********"}, {std::numeric_limits<float>::infinity(), 6, 1, "******"},
      {std::nan(""), 8, 4, "********"}, {0.5, 5, 4, ".5000"}, {-0.5, 6, 4, "-.5000"}, {-0.5, 5, 4, "*****"},
      {99.96, 5, 1, "100.0"}, {999.96, 5, 1, "*****"}};
  for (const real_case& c : cases) EXPECT_EQ(format_real(c.value, c.w, c.d), c.text) << c.value;
}

TEST(FixedFormat, Integers) {
  EXPECT_EQ(format_integer(5, 3, 3), "005");
  EXPECT_EQ(format_integer(-5, 4, 3), "-005");
  EXPECT_EQ(format_integer(-5, 3, 3), "***");
  EXPECT_EQ(format_integer(-1234, 5), "-1234");
  EXPECT_EQ(format_integer(-12345, 5), "*****");
  EXPECT_EQ(format_integer(0, 8), "       0");
  EXPECT_EQ(format_integer(-2147483648LL, 11), "-2147483648");
}

// The fields written straight into a line (for the renumbered pedigree
// file) against the engine, on the edges of width, sign, rounding and range.
TEST(FixedFormat, FieldsWrittenInPlaceEqualTheEngine) {
  for (std::int64_t v : {0LL, 7LL, -7LL, 9LL, 10LL, -9LL, -10LL, 99LL, 100LL, 999999999LL, 1000000000LL,
                         -99999999LL, -100000000LL, 2147483647LL, -2147483648LL})
    for (int w : {1, 2, 3, 4, 6, 9, 11}) {
      std::string field(static_cast<std::size_t>(w), ' ');
      put_integer_field(field.data(), v, w);
      EXPECT_EQ(field, format_integer(v, w)) << v << " I" << w;
    }
  const float reals[] = {0.0f, -0.0f, 0.03125f, 0.09375f, 0.125f, 0.375f, -0.00001f, 0.00005f, 0.5f, -0.5f,
                         0.99995f, 1.0f, 9.99995f, 99.96f, 123.456f, -12.3456f, 1e8f, 2e9f, 1e-30f,
                         std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::quiet_NaN()};
  for (float v : reals)
    for (auto [w, d] : {std::pair{7, 4}, {6, 2}, {5, 4}, {6, 4}, {4, 0}, {2, 0}, {12, 8}, {3, 1}}) {
      std::string field(static_cast<std::size_t>(w), ' ');
      put_real_field(field.data(), v, w, d);
      EXPECT_EQ(field, format_real(v, w, d)) << v << " F" << w << "." << d;
    }
}

TEST(FixedFormat, TextsAreRightAlignedOrCut) {
  EXPECT_EQ(line_of("(A8,A3,A)", {"ab", "abcdef", "free"}), "      ababcfree");
  EXPECT_EQ(line_of("(A50,A1,I4)", {make_text<50>("x"), " ", 2020}), "x" + std::string(49, ' ') + " 2020");
}

TEST(FixedFormat, BlanksRepeatCountsAndReversion) {
  EXPECT_EQ(line_of("(I6,3X,F7.0,3X,F7.0)", {1, 2.0f, 3.0f}), "     1        2.        3.");
  EXPECT_EQ(line_of("(5X,I3,8X,F8.0)", {7, 1.0f}), "       7              1.");
  EXPECT_EQ(line_of("(I8,3F8.2)", {1, 1.0f, 2.0f, 3.0f}), "       1    1.00    2.00    3.00");
  // Output ends at the first data item without a value; blanks before it are not written.
  EXPECT_EQ(line_of("(I4,2X,I4)", {1}), "   1");
  // More values than items: the format starts again on a new line.
  std::vector<fixed_value> v{1, 2, 3, 4, 5};
  auto l = build_fixed_lines("(2I3)", v);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], "  1  2");
  EXPECT_EQ(l[2], "  5");
}

// Every format text in the program's sources, and every run-time format its
// skeletons give, is one the engine reads; a malformed one is caught here,
// not in a run.
TEST(FixedFormat, EveryFormatOfTheProgramIsWellFormed) {
  for (const char* bad : {"(I8,Q3)", "(F8)", "I8", "(I8,,I8)", "(I8 I8)", "(0I8)", "(A8.2)", "()"})
    EXPECT_NE(format_error(bad), "") << bad;
  EXPECT_EQ(format_error("(2F8.4,I5,3X,A,I3.3,A50)"), "");

  namespace fs = std::filesystem;
  const std::regex format_literal(R"re("(\([0-9]*[IFAX][^"]*\))")re");
  int n_formats = 0;
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(VELDMARSH_SOURCE_DIR) / "src")) {
    std::ifstream in(entry.path());
    std::stringstream source;
    source << in.rdbuf();
    const std::string text = source.str();
    for (std::sregex_iterator m(text.begin(), text.end(), format_literal), end; m != end; ++m) {
      const std::string format = (*m)[1];
      ++n_formats;
      EXPECT_EQ(format_error(format), "") << entry.path() << ": " << format;
      if (format.size() < 7 || format.substr(4, 3) != "005") continue;
      for (std::int64_t count : {1, 999, 1035}) EXPECT_EQ(format_error(build_run_format(format, count)), "") << format;
    }
  }
  EXPECT_GT(n_formats, 50);
}

}  // namespace
}  // namespace veldmarsh
