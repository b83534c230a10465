// Helpers for the tests of the report writers: a run context whose console
// and report lines can be read back, and the shapes of the common lines.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/run_context.h"
#include "support/captured_run.h"

namespace veldmarsh::report_testing {

// Each reading returns the lines written since the last one.
using captured_report = testing::captured_channels<true>;

// A free-format line of n underscores.
inline std::string rule(int n) { return " " + std::string(static_cast<std::size_t>(n), '_'); }

// The separator line that opens a table.
inline const std::string separator = std::string(12, ' ');

// `s` padded with blanks to n characters.
inline std::string pad(const std::string& s, std::size_t n) { return s + std::string(n - s.size(), ' '); }

}  // namespace veldmarsh::report_testing
