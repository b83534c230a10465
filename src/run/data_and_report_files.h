// Opening the data file and the report file, the report banner and the
// count of the data file's lines.
#pragma once

#include <cstdint>
#include <string>

#include "common/line_input.h"
#include "common/run_context.h"

namespace veldmarsh {

// Opens the data file (a missing one stops the run, after the stop lines in
// the run's language) and the report file, and writes the banner's first
// four lines. A report file that would replace the data file or the
// steering file ends the run with a diagnostic before it is opened.
void open_data_and_report_files(run_context& ctx, input_file& data);

// The user's file that writing to `name` would replace ("data file" or
// "steering file"), by any name that reaches it; nullptr when none.
const char* input_file_reached(const settings& cfg, const std::string& name);

// The banner's lines on subpopulations, colours and breeders, written once
// the data file's columns are known.
void write_report_banner_columns(run_context& ctx);

// Counts the data file's lines, with a progress line every 1000 lines, and
// rewinds it.
std::int64_t count_records(run_context& ctx, input_file& data);

}  // namespace veldmarsh
