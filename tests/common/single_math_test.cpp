// The single-precision logarithm and power are the exact values rounded once
// to float, whatever the C library's logf and powf give: held against values
// worked out to 50 digits, against sweeps of arguments computed another way
// (the long-double logarithm; the square root, which every platform rounds
// exactly), and in a whole run where the last digit of Ne depends on it.
#include "common/single_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "support/program_run.h"

namespace veldmarsh {
namespace {

float float_of_bits(std::uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

TEST(SingleMath, WorkedValuesAreTheNearestFloats) {
  // ln(0.98026317f) = -0.01993419889957045572..., between the floats
  // -0x1.469a16p-6 (1.01e-9 away; glibc's logf) and -0x1.469a18p-6 (0.85e-9).
  EXPECT_EQ(log_single(0.98026317f), -0x1.469a18p-6f);
  // 1 - 0.025f, a year's mean F of 0.125 / 5: ln = -0.02531778353110257422...,
  // -0x1.9ece7ap-6 is 0.995e-9 away (glibc's logf), -0x1.9ece7cp-6 0.868e-9.
  EXPECT_EQ(log_single(1.0f - 0.025f), -0x1.9ece7cp-6f);
  // The square root of 0x1.e53806p-1 = 0.97349527472283311857...: 0x1.f26df8p-1
  // is 2.97e-8 away, 0x1.f26dfap-1 (glibc's powf with the exponent 0.5) 2.99e-8.
  EXPECT_EQ(pow_single(0x1.e53806p-1f, 0.5f), 0x1.f26df8p-1f);
  EXPECT_EQ(log_single(1.0f), 0.0f);
  EXPECT_EQ(pow_single(0.25f, 0.5f), 0.5f);
  EXPECT_EQ(pow_single(0.9f, 1.0f), 0.9f);
}

// Every 16th float from 0.5 to 1, where the rates take their logarithms.
// The long-double logarithm carries 11 more bits than a double: its value
// rounded to float is the exact value rounded, except for a value within
// 2^-60 of the midpoint between two floats, which none of these is.
TEST(SingleMath, LogarithmIsTheExactValueRoundedOnce) {
  int compared = 0;
  for (std::uint32_t bits = 0x3f000000; bits < 0x3f800000; bits += 16, ++compared) {
    const float x = float_of_bits(bits);
    ASSERT_EQ(log_single(x), static_cast<float>(std::log(static_cast<long double>(x)))) << std::hexfloat << x;
  }
  EXPECT_EQ(compared, 524288);
}

TEST(SingleMath, SquareRootByPowerIsTheExactValueRoundedOnce) {
  for (std::uint32_t bits = 0x3f000000; bits < 0x3f800000; bits += 7) {
    const float x = float_of_bits(bits);
    ASSERT_EQ(pow_single(x, 0.5f), std::sqrt(x)) << std::hexfloat << x;
  }
}

// Yearly rates over 1,901 birth years (one animal's birth year written "96")
// are close to 0, so Ne is large and its last digits show the last bit of
// one logarithm: the only inbred year, 1995, has mean F 0.125 / 5 = 0.025,
// and the regression of ln(1 - F) gives Ne 9504813.00 with the logarithm
// rounded once (9504814.00 with glibc's logf).
TEST(SingleMath, RatesOverManyYearsPrintTheSameDigitsEverywhere) {
  const std::string steering =
      "Two-digit year\r\nherd.csv\r\n;\r\nn\r\ndd-mm-yyyy\r\ndog\r\nM\r\nen\r\ny\r\n0\r\n0\r\nn\r\n";
  const std::string pedigree =
      "id;sire;dam;sex;birthdate\r\n"
      "A9;A2;A5;F;01-01-1994\r\nA10;A3;A4;M;01-06-1994\r\nA11;A1;A7;M;01-03-1994\r\nA12;A3;A7;F;01-05-1994\r\n"
      "A16;A1;A9;F;01-01-1995\r\nA17;A11;A12;M;01-05-1995\r\nA18;A1;A12;M;01-02-1995\r\nA19;A10;A9;M;01-07-1995\r\n"
      "A20;A2;A5;F;01-06-1995\r\nA22;A10;A6;M;01-07-1996\r\nX1;;;M;01-01-96\r\n";
  testing::file_map out =
      testing::run_program("two_digit_year", {{}, {{"brindlemoor.ini", steering}, {"herd.csv", pedigree}}, {}});
  ASSERT_EQ(out["exit_status.txt"], "0\n");
  int found = 0;
  for (const std::string& line : testing::crlf_lines(out["herd.out"])) {
    if (!line.starts_with("deltaF smoothed ")) continue;
    EXPECT_EQ(line, "deltaF smoothed       0.00%      0.00%9504813.00");
    ++found;
  }
  EXPECT_EQ(found, 1);
}

}  // namespace
}  // namespace veldmarsh
