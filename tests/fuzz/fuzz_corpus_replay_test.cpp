// Replays the seed corpus of every fuzz target through the same entry points,
// each input in a child process whose working folder and standard error lie
// in the build tree: a crash, a failed check or an exit status other than 0,
// 1 or 2 (the program's own) fails the test, and in a build with a sanitizer
// (the debug preset) so does a sanitizer's report.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <iterator>

#include "data_line_entry.h"
#include "steering_file_entry.h"
#include "support/program_run.h"
#include "support/sanitizers.h"

namespace veldmarsh::testing {
namespace {

TEST(FuzzCorpus, SeedsReplayCleanly) {
  const fs::path dir = make_scratch_folder("fuzz");
  for (auto [target, entry] : {std::pair{"data_line_fuzz", &veldmarsh_fuzz::fuzz_data_line},
                               std::pair{"steering_file_fuzz", &veldmarsh_fuzz::fuzz_steering_file}}) {
    int replayed = 0;
    for (const auto& seed : fs::directory_iterator(fs::path(VELDMARSH_SOURCE_DIR) / "tests" / "fuzz" / "corpus" / target)) {
      const std::string bytes = read_file_bytes(seed.path());
      std::fflush(nullptr);
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        if (::chdir(dir.c_str()) != 0 || !std::freopen("stderr.txt", "w", stderr)) ::_exit(99);
        ::_exit(entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
      }
      int status = 0;
      ::waitpid(child, &status, 0);
      const std::string report = read_file_bytes(dir / "stderr.txt");
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 2) << seed.path() << ": status " << status;
      // Only a sanitizer writes these reports, and the address sanitizer ends
      // with status 1, which the check above lets pass: without one built
      // in, looking for them could never fail.
      if (sanitizer_built_in) {
        EXPECT_EQ(report.find("Sanitizer"), std::string::npos) << seed.path() << ":\n" << report;
        EXPECT_EQ(report.find("runtime error"), std::string::npos) << seed.path() << ":\n" << report;
      }
      ++replayed;
    }
    EXPECT_GT(replayed, 0) << target;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "a seed left a file behind";
  remove_scratch_folder(dir);
}

}  // namespace
}  // namespace veldmarsh::testing
