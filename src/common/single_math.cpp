// The single-precision logarithm and power (see the header).
#include "common/single_math.h"

#include <cmath>

namespace veldmarsh {

float log_single(float x) { return static_cast<float>(std::log(static_cast<double>(x))); }

float pow_single(float x, float y) {
  return static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(y)));
}

}  // namespace veldmarsh
