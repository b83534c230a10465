// The lines that frame the report tables (the separator that opens a table,
// a line of 12 blanks, and the rules of underscores between its parts), and
// the guarded cell reader of the writers.
#pragma once

#include <cstdint>
#include <string>

#include "common/free_format.h"
#include "common/year_table.h"

namespace veldmarsh {

// A free-format line of 11 blanks, so 12 in the file.
inline void write_separator_line(output_channel& report) { write_free_line(report, {"           "}); }

// A free-format line of n underscores (one blank before them).
inline void write_underscores(output_channel& report, int n) {
  const std::string rule(static_cast<std::size_t>(n), '_');
  write_free_line(report, {rule});
}

// Cell (k, j), or 0 when the table has no such cell: a writer prints every
// row and column it is asked for, even from a table that came out smaller.
template <typename T>
T cell_or_zero(const year_table<T>& table, std::int64_t k, std::int64_t j) {
  if (k < 1 || k > table.n_rows || j < 1 || j > table.n_cols) return T{};
  return table(k, j);
}

}  // namespace veldmarsh
