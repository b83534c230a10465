// The steering file "brindlemoor.ini": read once, line by line in a fixed
// order, echoed to the console and the log.
#pragma once

#include <cstdint>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/run_context.h"
#include "common/run_files.h"
#include "run/species_words.h"

namespace veldmarsh {

// The header switch or column-number line follows the eight settings before
// it, and the count of subpopulations follows that; a file that ends early is
// told where the line belongs, however many of the lines before it it holds.
inline constexpr std::int64_t column_number_line = 9;
inline constexpr std::int64_t subpop_count_line = 10;

// Reads the steering file into ctx.cfg and echoes the settings. Does not
// return when the file is missing (fatal stop, in both languages) or when a
// line that must be there is missing or unreadable (diagnostic). Opens the
// log once the data file is named: a data file name holding a NUL byte, or
// one that the log would replace, ends the run with a diagnostic.
// Returns the completion flag, 1.
int read_steering_file(run_context& ctx, const species_name_table& species_names);

// The same, from the file `file_name` (for tests and fuzz targets).
int read_steering_file_named(run_context& ctx, const species_name_table& species_names, const std::string& file_name);

// An integer item: leading blanks skipped, an optional sign and digits up to
// the first blank, comma or line end. Nothing when the item cannot be read.
std::optional<std::int64_t> read_integer_item(std::string_view line);

// The first `max_items` integers of a list separated by blanks or commas
// (whatever follows them is ignored); nothing when one of them cannot be read.
std::optional<std::vector<std::int64_t>> read_integer_list(std::string_view line,
                                                           std::size_t max_items = SIZE_MAX);

// The three date-layout flags of a pattern such as "dd-mm-yyyy".
std::array<bool, 3> date_format_flags_of(std::string_view pattern);

// The report file's name: the data file's name with its last three characters
// replaced by "out", without leading and trailing blanks.
std::string derive_report_file_name(std::string_view data_file_name);

}  // namespace veldmarsh
