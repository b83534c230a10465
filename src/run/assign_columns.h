// Which data column holds what: recognised from the data file's header line
// when the steering file gives no column kinds, then checked (a missing
// identification, sire, dam, sex or birth-date column stops the run) and
// announced on the console.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "common/fixed_text.h"
#include "common/line_input.h"
#include "common/run_context.h"

namespace veldmarsh {

inline constexpr int n_header_keywords = 230;

// The accepted column names (at most 16 characters) and the kind of each.
extern const std::array<fixed_text<16>, n_header_keywords> header_keywords;
extern const std::array<int, n_header_keywords + 1> header_keyword_kinds;  // the last entry, 0, for no match

// True when the data file's first line is a header line: the steering file
// gave no column kind (it said so, or gave only kinds 0).
bool data_file_has_header_line(const settings& cfg);

// Reads and recognises the header line when the steering file gave no
// column kinds, then checks, announces and sets the has-column switches of
// ctx.cfg. Stops the run (exit status 1) after three console lines when a
// required column is missing; a data file without any line ends the run
// with a diagnostic.
void assign_columns(run_context& ctx, input_file& data);

// Sets ctx.cfg.column_kind from a header line, with a console line (or three)
// for every column.
void recognise_header(run_context& ctx, std::string_view header);

// The value of the first key equal to `name` (trailing blanks ignored, as
// both are blank-padded to 16); values[keys.size()] when no key is.
int lookup_name16(std::span<const fixed_text<16>> keys, std::span<const int> values, const fixed_text<16>& name);

}  // namespace veldmarsh
