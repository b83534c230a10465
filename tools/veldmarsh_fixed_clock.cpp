// The program with its clock fixed at 5 December 2026, 10:17:58.123, so that
// end-to-end tests can compare the log byte for byte. Runs in the working
// directory like the program itself. Two environment variables stop a run
// at one of its steps ("claimed": it holds the first folder it claims;
// "checked": a device or a pipe an output is written to directly is checked
// and about to be opened; "marked", "kept", "between-names", "named": the
// report and the renumbered file taking their names): at the step named in
// VELDMARSH_TEST_KILL_AT the process ends at once, as a killed one does; at
// the step named in VELDMARSH_TEST_PAUSE_AT it makes the file
// "<step>.reached" in its working folder and waits until that file is
// removed (at most a minute), so that a test can start a second run, or
// change a name, at that instant.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "common/output_pair.h"
#include "common/platform.h"
#include "common/stops.h"
#include "run/main_program.h"

namespace {
bool is_step(const char* variable, const char* step) {
  const char* value = std::getenv(variable);
  return value != nullptr && std::strcmp(value, step) == 0;
}

void pause_at(const char* step) {
  const std::string flag = std::string(step) + ".reached";
  if (std::FILE* f = std::fopen(flag.c_str(), "wb")) std::fclose(f);
  for (int k = 0; k < 6000; ++k) {
    std::FILE* f = std::fopen(flag.c_str(), "rb");
    if (f == nullptr) return;
    std::fclose(f);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}
}  // namespace

int main() {
  veldmarsh::prepare_standard_streams();
  veldmarsh::test_step_hook = [](const char* step) {
    if (is_step("VELDMARSH_TEST_KILL_AT", step)) std::_Exit(137);
    if (is_step("VELDMARSH_TEST_PAUSE_AT", step)) pause_at(step);
  };
  veldmarsh::run_context ctx;
  ctx.console.file = stdout;
  ctx.console.terminal = veldmarsh::is_terminal(stdout);
  ctx.clock = [] { return veldmarsh::clock_reading{"20261205", "101758.123"}; };
  int status = veldmarsh::main_program(ctx);
  veldmarsh::end_run(ctx, status);
}
