// The run order. Each phase is a routine of its own; this file calls them in
// order, writes the time stamps between them and owns the run's tables.
#include "run/main_program.h"

#include <string>

#if defined(__SSE__)
#include <pmmintrin.h>
#include <xmmintrin.h>
#endif

#include "common/free_format.h"
#include "common/line_input.h"
#include "common/stops.h"
#include "run/data_and_report_files.h"
#include "run/species_words.h"
#include "run/steering_file.h"

namespace veldmarsh {

void set_flush_to_zero_mode() {
#if defined(__SSE__)
  _MM_SET_FLUSH_ZERO_MODE(_MM_FLUSH_ZERO_ON);
  _MM_SET_DENORMALS_ZERO_MODE(_MM_DENORMALS_ZERO_ON);
#endif
}

namespace {

void write_start_banner(output_channel& channel) {
  write_free_line(channel, {"          *********************************"});
  write_free_line(channel, {"          *         VELDMARSH             *"});
  write_free_line(channel, {"          *      Brindlemoor              *"});
  write_free_line(channel, {"          *********************************"});
  write_free_line(channel, {"           "});
}

}  // namespace

int main_program(run_context& ctx) {
  register_run(ctx);
  set_flush_to_zero_mode();
  read_clock(ctx);
  clock_reading start_time = ctx.now;

  // The log replaces the last run's.
  if (!open_output_file(ctx.log, "Veldmarshlog.txt"))
    fail_diagnostic(ctx, "cannot open for writing", ctx.log.label, "Veldmarshlog.txt");
  write_start_banner(ctx.log);
  ctx.now = start_time;
  write_start_line(ctx);
  write_start_banner(ctx.console);

  species_name_table species_names = make_species_names();
  read_steering_file(ctx, species_names);

  input_file data;
  open_data_and_report_files(ctx, data);
  std::int64_t n_lines = count_records(ctx, data);
  // With a header line the first line names the columns; with column kinds
  // from the steering file every line is a record.
  std::int64_t n_animals = ctx.cfg.has_header ? n_lines - 1 : n_lines;
  if (n_animals < 0) n_animals = 0;
  (void)n_animals;
  write_report_banner_columns(ctx);

  // Closing line.
  read_clock(ctx);
  const settings& cfg = ctx.cfg;
  if (cfg.english) {
    write_free_line(ctx.console, {"finished analysis for ", cfg.analysis_title});
    write_time_stamp(ctx, "Analyses finished at ", " on ");
  } else {
    write_free_line(ctx.console, {"klaar met analyseren van ", cfg.analysis_title});
    write_time_stamp(ctx, "Analyses klaar op ", " om ");
  }
  return exit_completed;
}

}  // namespace veldmarsh
