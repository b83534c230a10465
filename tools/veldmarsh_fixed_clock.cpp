// The program with its clock fixed at 5 December 2026, 10:17:58.123, so that
// end-to-end tests can compare the log byte for byte. Runs in the working
// directory like the program itself.
#include "common/platform.h"
#include "common/stops.h"
#include "run/main_program.h"

int main() {
  veldmarsh::prepare_standard_streams();
  veldmarsh::run_context ctx;
  ctx.console.file = stdout;
  ctx.console.terminal = veldmarsh::is_terminal(stdout);
  ctx.clock = [] { return veldmarsh::clock_reading{"20261205", "101758.123"}; };
  int status = veldmarsh::main_program(ctx);
  veldmarsh::end_run(ctx, status);
}
