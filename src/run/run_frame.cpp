// The opening and closing lines of a run and the time stamps between its
// phases.
#include "run/run_frame.h"

#if defined(__SSE__)
#include <pmmintrin.h>
#include <xmmintrin.h>
#endif

#include "common/clock.h"
#include "common/free_format.h"
#include "common/output_channel.h"
#include "common/run_files.h"

namespace veldmarsh {

namespace {

void write_start_banner(output_channel& channel) {
  write_free_line(channel, {"          *********************************"});
  write_free_line(channel, {"          *         VELDMARSH             *"});
  write_free_line(channel, {"          *      Brindlemoor              *"});
  write_free_line(channel, {"          *********************************"});
  write_free_line(channel, {"           "});
}

}  // namespace

void set_flush_to_zero_mode() {
#if defined(__SSE__)
  _MM_SET_FLUSH_ZERO_MODE(_MM_FLUSH_ZERO_ON);
  _MM_SET_DENORMALS_ZERO_MODE(_MM_DENORMALS_ZERO_ON);
#endif
}

void start_run(run_context& ctx) {
  set_flush_to_zero_mode();
  read_clock(ctx);
  // The log's lines are held until the steering file has named the data
  // file, which the log must not replace.
  ctx.log.file_name = log_file_name;
  ctx.log.held = true;
  write_start_banner(ctx.log);
  write_start_line(ctx);
  write_start_banner(ctx.console);
}

void stamp_phase(run_context& ctx, const char* english, const char* dutch, const char* dutch_connector) {
  read_clock(ctx);
  write_time_stamp(ctx, english, dutch, dutch_connector);
  write_free_line(ctx.log, {" "});
}

void finish_run(run_context& ctx) {
  read_clock(ctx);
  if (ctx.cfg.english) {
    write_free_line(ctx.console, {"finished analysis for ", ctx.cfg.analysis_title});
    write_time_stamp(ctx, "Analyses finished at ", " on ");
  } else {
    write_free_line(ctx.console, {"klaar met analyseren van ", ctx.cfg.analysis_title});
    write_time_stamp(ctx, "Analyses klaar op ", " om ");
  }
}

}  // namespace veldmarsh
