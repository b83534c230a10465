// The spine of a run: every phase in its order, the time stamps between
// phases, and the tables of the whole population.
#pragma once

#include "common/run_context.h"

namespace veldmarsh {

// Runs the whole analysis once in the working directory. Returns the exit
// status of a completed run; stops end the process themselves.
int main_program(run_context& ctx);

}  // namespace veldmarsh
