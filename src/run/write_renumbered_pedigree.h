// The renumbered pedigree file: the sorted pedigree, one fixed-column line
// per animal with its number, its parents' numbers, its inbreeding
// coefficient, birth date, sex, parents' ages, offspring count and pedigree
// completeness, its identification and its name.
#pragma once

#include <string>
#include <string_view>

#include "common/animal_record.h"
#include "common/fixed_text.h"
#include "common/run_context.h"

namespace veldmarsh {

// The line of animal i (renumbered_line_length characters, without a line
// end), as the fixed-layout format of the file lays it out.
inline constexpr std::size_t renumbered_line_length = 175;
void build_renumbered_line(const animal_table& animal, std::int64_t i, std::string& line);

// Writes every animal's line, in table order, to the file named after the
// report file, with the opening and closing lines in the log. A file that
// cannot be opened, or that would replace the data file, is logged as an
// error and nothing is written to it; the run goes on, and ends with a
// diagnostic that the last renumbered file stays as it was.
void write_renumbered_pedigree(run_context& ctx, const animal_table& animal,
                               const fixed_text<100>& report_file_name);

}  // namespace veldmarsh
