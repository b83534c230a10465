// The single-precision natural logarithm and power, the same on every
// platform: each is the exact value rounded once to single precision. A C
// library's own logf or powf may be one unit in the last place away from
// that (glibc's logf is, for about one argument in 75 between 0.5 and 1),
// which moves the last printed digit of a rate or of Ne where the rate is
// close to 0; the double-precision function of the single-precision
// arguments, rounded to float, is that value wherever the program meets it.
#pragma once

namespace veldmarsh {

// ln(x), rounded once to single precision.
float log_single(float x);

// x to the power y, rounded once to single precision.
float pow_single(float x, float y);

}  // namespace veldmarsh
