// The program with its clock fixed at 5 December 2026, 10:17:58.123, so that
// end-to-end tests can compare the log byte for byte. Runs in the working
// directory like the program itself. For tests of runs killed while the
// report and the renumbered file take their names, the environment variable
// VELDMARSH_TEST_KILL_AT names the step ("marked", "kept", "between-names",
// "named") at which the process ends at once, as a killed one does.
#include <cstdlib>
#include <cstring>

#include "common/output_pair.h"
#include "common/platform.h"
#include "common/stops.h"
#include "run/main_program.h"

int main() {
  veldmarsh::prepare_standard_streams();
  if (std::getenv("VELDMARSH_TEST_KILL_AT") != nullptr)
    veldmarsh::naming_step_hook = [](const char* step) {
      if (std::strcmp(step, std::getenv("VELDMARSH_TEST_KILL_AT")) == 0) std::_Exit(137);
    };
  veldmarsh::run_context ctx;
  ctx.console.file = stdout;
  ctx.console.terminal = veldmarsh::is_terminal(stdout);
  ctx.clock = [] { return veldmarsh::clock_reading{"20261205", "101758.123"}; };
  int status = veldmarsh::main_program(ctx);
  veldmarsh::end_run(ctx, status);
}
