// The local clock and the time-stamp lines of the log.
#pragma once

#include <string>
#include <string_view>

namespace veldmarsh {

// A reading of the local clock, as the texts of the time-stamp lines use it.
struct clock_reading {
  std::string date;  // 8 digits: yyyymmdd
  std::string time;  // 10 characters: hhmmss.sss
};

// The machine's local date and time, to the millisecond.
clock_reading read_local_clock();

struct run_context;

// Refreshes the run's date and time (`run_date`, `run_time`) from its clock.
void read_clock(run_context& ctx);

// The log line "<phase> dd/mm/yyyy<connector>hh.mm and ss.sss seconds ",
// written with the date and time last read. `connector` is " on " or " om ".
void write_time_stamp(run_context& ctx, std::string_view phase, std::string_view connector);

// The same, with the English or the Dutch phase text and connector chosen by the run's language.
void write_time_stamp(run_context& ctx, std::string_view english_phase, std::string_view dutch_phase,
                      std::string_view dutch_connector);

// The log line "Veldmarsh started at " with the date and time items.
void write_start_line(run_context& ctx);

// The log line that closes a stop for a missing data file: the time only.
void write_stop_line(run_context& ctx);

}  // namespace veldmarsh
