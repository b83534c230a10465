// Veldmarsh: inbreeding and population structure of one breed from its pedigree.
#include "common/platform.h"
#include "common/stops.h"
#include "run/main_program.h"

int main() {
  veldmarsh::prepare_standard_streams();
  veldmarsh::run_context ctx;
  ctx.console.file = stdout;
  ctx.console.terminal = veldmarsh::is_terminal(stdout);
  int status = veldmarsh::main_program(ctx);
  veldmarsh::end_run(ctx, status);
}
