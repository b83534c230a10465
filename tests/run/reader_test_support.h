// Helpers for the tests of reading the pedigree: a run context whose console
// and log lines can be read back, with a fixed clock.
#pragma once

#include "support/captured_run.h"

namespace veldmarsh::reader_testing {

// Each reading returns the lines written since the last one.
using captured_lines = testing::captured_channels<true>;

}  // namespace veldmarsh::reader_testing
