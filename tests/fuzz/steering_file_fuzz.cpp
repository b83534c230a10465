// libFuzzer target: the steering file reader.
#include "steering_file_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return veldmarsh_fuzz::fuzz_steering_file(data, size);
}
