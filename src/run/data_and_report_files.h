// Opening the data file and the report file, the report banner and the
// count of the data file's lines.
#pragma once

#include <cstdint>
#include <string>

#include "common/line_input.h"
#include "common/run_context.h"

namespace veldmarsh {

// Opens the data file (a missing one, or a folder, stops the run, after the
// stop lines in the run's language) and the report file, and writes the
// banner's first four lines. A report file that would replace the data file
// or the steering file ends the run with a diagnostic before it is opened.
void open_data_and_report_files(run_context& ctx, input_file& data);

// The banner's lines on subpopulations, colours and breeders, written once
// the data file's columns are known.
void write_report_banner_columns(run_context& ctx);

// Counts the data file's lines, with a progress line every 1000 lines, and
// rewinds it (a stream that can be read only once is first read into
// memory).
std::int64_t count_records(run_context& ctx, input_file& data);

}  // namespace veldmarsh
