// libFuzzer target: header recognition, data-line splitting and field parsing.
#include "data_line_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return veldmarsh_fuzz::fuzz_data_line(data, size);
}
