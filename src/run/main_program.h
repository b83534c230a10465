// The spine of a run: every phase in its order, the time stamps between
// phases, and the tables of the whole population.
#pragma once

#include "common/run_context.h"

namespace veldmarsh {

// Runs the whole analysis once in the working directory. Returns the exit
// status of a completed run; stops end the process themselves.
int main_program(run_context& ctx);

// Results too small for a normal single-precision number become zero, and
// such operands are read as zero, for the whole run.
void set_flush_to_zero_mode();

}  // namespace veldmarsh
