// Clock readings and time-stamp lines.
#include "common/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "common/free_format.h"
#include "common/platform.h"
#include "common/run_context.h"

namespace veldmarsh {

clock_reading read_local_clock() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local = local_time(t);
  char date[64], time[64];
  std::snprintf(date, sizeof date, "%04d%02d%02d", (local.tm_year + 1900) % 10000, local.tm_mon + 1,
                local.tm_mday);
  std::snprintf(time, sizeof time, "%02d%02d%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec, ms);
  return {date, time};
}

void read_clock(run_context& ctx) { ctx.now = ctx.clock(); }

namespace {
// The parts of a reading; a short reading (a test clock) gives blanks.
std::string part(const std::string& s, std::size_t from, std::size_t n) {
  std::string out = from < s.size() ? s.substr(from, n) : std::string();
  out.resize(n, ' ');
  return out;
}
}  // namespace

void write_time_stamp(run_context& ctx, std::string_view phase, std::string_view connector) {
  const clock_reading& c = ctx.now;
  std::string day = part(c.date, 6, 2), month = part(c.date, 4, 2), year = part(c.date, 0, 4);
  std::string hour = part(c.time, 0, 2), minute = part(c.time, 2, 2), second = part(c.time, 4, 6);
  write_free_line(ctx.log, {phase, day, "/", month, "/", year, connector, hour, ".", minute, " and ",
                            second, " seconds "});
  // A long run shows how far it got: the log as far as this phase, and the
  // console lines so far.
  hand_on_lines(ctx.log);
  hand_on_lines(ctx.console);
}

void write_time_stamp(run_context& ctx, std::string_view english_phase, std::string_view dutch_phase,
                      std::string_view dutch_connector) {
  if (ctx.cfg.english)
    write_time_stamp(ctx, english_phase, " on ");
  else
    write_time_stamp(ctx, dutch_phase, dutch_connector);
}

void write_start_line(run_context& ctx) { write_time_stamp(ctx, "Veldmarsh started at ", " on "); }

void write_stop_line(run_context& ctx) {
  const clock_reading& c = ctx.now;
  std::string hour = part(c.time, 0, 2), minute = part(c.time, 2, 2), second = part(c.time, 4, 6);
  if (ctx.cfg.english)
    write_free_line(ctx.log, {"Veldmarsh stopped at.", hour, ".", minute, " and ", second, " seconds "});
  else
    write_free_line(ctx.log, {"Veldmarsh gestopt op ", hour, ".", minute, " en ", second, " seconden "});
}

}  // namespace veldmarsh
