// Replays the seed corpus of every fuzz target through the same entry points,
// so that the cases a fuzzer started from stay handled.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "data_line_entry.h"
#include "steering_file_entry.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::vector<std::uint8_t>> corpus(const char* target) {
  std::vector<std::vector<std::uint8_t>> inputs;
  fs::path dir = fs::path(VELDMARSH_SOURCE_DIR) / "tests" / "fuzz" / "corpus" / target;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return inputs;
}

TEST(FuzzCorpus, SeedsReplay) {
  for (auto [target, entry] : {std::pair{"data_line_fuzz", &veldmarsh_fuzz::fuzz_data_line},
                               std::pair{"steering_file_fuzz", &veldmarsh_fuzz::fuzz_steering_file}}) {
    auto inputs = corpus(target);
    EXPECT_FALSE(inputs.empty()) << target;
    for (const auto& input : inputs) EXPECT_EQ(entry(input.data(), input.size()), 0) << target;
  }
}

}  // namespace
